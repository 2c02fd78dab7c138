// The score table: Solo high scores, and every player's result after a network match.
#pragma once

// Rank 0: the end of a match (Solo: the high-score check); 99: show only.
void ShowScoreTable(int rank);
