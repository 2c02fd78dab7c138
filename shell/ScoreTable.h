// The score table: Solo high scores, and every player's result after a network match.
#pragma once

// Ten lines, best first, in the working directory like every file of the program.
constexpr char ScoreFile[] = "Ploxen.sco";
constexpr int ScoreLineCount = 10;
constexpr int ScoreLineLength = 98;

// What the table's ten lines show.
extern char ScoreLines[ScoreLineCount][ScoreLineLength + 1];

// The opening's argument (0: place the local score, 99: show only), then the
// rank 1..10 of a newly placed entry.
extern int ScoreRank;

// Opens dialog 105: modal in Solo, modeless in a network game.
void ShowScoreTable(int rank);
