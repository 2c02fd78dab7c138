// Dialog 105: the Solo high-score list and its file, and the results of a network match.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/ScoreTable.h"
#include "shell/Settings.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/DialogTestSupport.h"
#include "tests/NetPeers.h"

namespace {

const std::string Empty = "000000     000     -";

// A line of the file as the program formats it.
std::string Entry(long score, int lines, const std::string& name) {
  char text[64];
  std::snprintf(text, sizeof text, "%06ld     %03d     ", score, lines);
  return text + name;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string out;
  for (const std::string& l : lines) out += l + end;
  return out;
}

// What one opening of the table showed and how it was left.
struct Shown {
  std::vector<std::string> lines;
  bool nameField = false;
  NullPlace namePlace{}, linePlace{};
  int focus = 0;
  bool selected = false;
  std::string name;
};

class ScoreTableTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshDialogTest(); }
  // Opens the Solo table at rank; the script may type a name and press a button.
  static Shown Open(int rank, std::function<void(DialogWindow*)> act = nullptr) {
    Shown s;
    NullScriptNextDialog([&](DialogWindow* d) {
      for (int id = 1004; id <= 1013; ++id) s.lines.push_back(NullItemText(d, id));
      s.nameField = NullItemVisible(d, 1003);
      s.namePlace = NullItemPlace(d, 1003);
      if (ScoreRank >= 1 && ScoreRank <= 10) s.linePlace = NullItemPlace(d, 1003 + ScoreRank);
      s.focus = FocusedItem(d);
      s.selected = NullFocusSelectsAll(d);
      s.name = NullItemText(d, 1003);
      if (act) act(d);
    });
    ShowScoreTable(rank);
    return s;
  }
  static void Ok(DialogWindow* d) { NullPressButton(d, DialogOk); }
  // Ten entries with scores from first down by step.
  static std::vector<std::string> Ladder(long first, long step) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i)
      lines.push_back(Entry(first - i * step, i, "J" + std::to_string(i)));
    return lines;
  }
};

TEST_F(ScoreTableTest, FirstGameEverTakesLineOneAndOkWritesTenLines) {
  SetLocalResult(1234, 5);
  Shown s = Open(0, Ok);
  EXPECT_EQ(ScoreRank, 1);
  EXPECT_EQ(s.lines[0], "001234     005     ");
  EXPECT_EQ(s.lines[9], Empty);
  EXPECT_TRUE(s.nameField);
  EXPECT_EQ(s.namePlace.y, s.linePlace.y);
  EXPECT_LE(s.linePlace.x + s.linePlace.w, s.namePlace.x);
  EXPECT_EQ(s.name, "Moi");
  EXPECT_EQ(s.focus, 1003);
  EXPECT_TRUE(s.selected);
  std::vector<std::string> expected(10, Empty);
  expected[0] = "001234     005     Moi";
  EXPECT_EQ(FileText(ScoreFile), Join(expected));
}

TEST_F(ScoreTableTest, AnEqualScoreGoesAboveTheOlderEntryAndTheLastLineDrops) {
  std::vector<std::string> file = Ladder(900, 100);
  WriteFile(ScoreFile, Join(file));
  SetLocalResult(700, 12);
  Shown s = Open(0, [](DialogWindow* d) {
    SetItemText(d, 1003, "Nouveau");
    Ok(d);
  });
  EXPECT_EQ(ScoreRank, 3);
  EXPECT_EQ(s.lines[2], "000700     012     ");
  EXPECT_EQ(s.lines[3], file[2]);
  EXPECT_EQ(s.lines[9], file[8]);
  EXPECT_EQ(s.namePlace.y, s.linePlace.y);
  std::vector<std::string> expected = file;
  expected.insert(expected.begin() + 2, "000700     012     Nouveau");
  expected.pop_back();
  EXPECT_EQ(FileText(ScoreFile), Join(expected));
}

TEST_F(ScoreTableTest, ScoresAreComparedByTheirFirstSixCharacters) {
  // "1234567" reads as 123456: a score of 200000 beats it.
  std::vector<std::string> file = Ladder(100, 10);
  file[0] = Entry(1234567, 99, "Champion");
  WriteFile(ScoreFile, Join(file));
  SetLocalResult(200000, 40);
  Open(0);
  EXPECT_EQ(ScoreRank, 1);
}

TEST_F(ScoreTableTest, AScoreThatDoesNotQualifyGivesNoNameFieldAndWritesNothing) {
  std::string before = Join(Ladder(5000, 10));
  WriteFile(ScoreFile, before);
  for (int score : {4900, 0}) {
    SetLocalResult(score, 3);
    Shown s = Open(0, Ok);
    EXPECT_EQ(ScoreRank, 0) << score;
    EXPECT_FALSE(s.nameField) << score;
    EXPECT_EQ(s.focus, DialogOk) << score;
    EXPECT_EQ(FileText(ScoreFile), before) << score;
  }
}

TEST_F(ScoreTableTest, ShowOnlyAndCancelLeaveTheFileAsItWas) {
  std::string before = Join(Ladder(500, 10));
  WriteFile(ScoreFile, before);
  SetLocalResult(9999, 9);
  Shown s = Open(99, Ok);
  EXPECT_EQ(ScoreRank, 99);
  EXPECT_FALSE(s.nameField);
  EXPECT_EQ(s.lines, Ladder(500, 10));
  s = Open(0, [](DialogWindow* d) { NullPressButton(d, DialogCancel); });
  EXPECT_EQ(ScoreRank, 1);
  EXPECT_EQ(FileText(ScoreFile), before);
}

TEST_F(ScoreTableTest, LinesEndedByCrLfLoseTheCr) {
  WriteFile(ScoreFile, Join(Ladder(500, 10), "\r\n"));
  SetLocalResult(455, 1);
  Shown s = Open(0, Ok);
  EXPECT_EQ(s.lines[0], Entry(500, 0, "J0"));
  EXPECT_EQ(s.lines[4], Entry(460, 4, "J4"));
  EXPECT_EQ(s.lines[9], Entry(420, 8, "J8"));
  std::string written = FileText(ScoreFile);
  EXPECT_EQ(written.find('\r'), std::string::npos);
  EXPECT_NE(written.find("\n000455     001     Moi\n"), std::string::npos);
}

TEST_F(ScoreTableTest, AShortFileShowsTheEmptyListLineForTheMissingLines) {
  WriteFile(ScoreFile, Entry(300, 3, "A") + "\n" + Entry(200, 2, "B"));
  SetLocalResult(100, 1);
  Shown s = Open(0, Ok);
  EXPECT_EQ(ScoreRank, 3);
  EXPECT_EQ(s.lines[1], Entry(200, 2, "B"));
  EXPECT_EQ(s.lines[3], Empty);
  EXPECT_EQ(s.lines[9], Empty);
  std::vector<std::string> expected(10, Empty);
  expected[0] = Entry(300, 3, "A");
  expected[1] = Entry(200, 2, "B");
  expected[2] = Entry(100, 1, "Moi");
  EXPECT_EQ(FileText(ScoreFile), Join(expected));
}

TEST_F(ScoreTableTest, ALongLineIsCutAndNeverSpillsIntoTheNext) {
  std::vector<std::string> file = Ladder(900, 100);
  file[0] = Entry(900, 0, std::string(200, 'x'));
  WriteFile(ScoreFile, Join(file));
  Shown s = Open(99);
  EXPECT_EQ(s.lines[0], file[0].substr(0, 98));
  EXPECT_EQ(s.lines[1], file[1]);
  EXPECT_EQ(s.lines[9], file[9]);
}

TEST_F(ScoreTableTest, ALongNameIsCutSoThatItsLineKeeps98Characters) {
  SetLocalResult(50, 1);
  Open(0, [](DialogWindow* d) {
    SetItemText(d, 1003, std::string(150, 'n').c_str());
    Ok(d);
  });
  std::string first = FileText(ScoreFile).substr(0, FileText(ScoreFile).find('\n'));
  EXPECT_EQ(first, "000050     001     " + std::string(98 - 19, 'n'));
}

TEST_F(ScoreTableTest, TheFileIsReplacedWholeNotRewrittenInPlace) {
  std::string before = Join(Ladder(500, 10));
  WriteFile(ScoreFile, before);
  std::ifstream old(ScoreFile, std::ios::binary);  // a reader of the old list
  SetLocalResult(9999, 9);
  Open(0, Ok);
  std::string oldSeen((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
  EXPECT_EQ(oldSeen, before);
  EXPECT_NE(FileText(ScoreFile), before);
  EXPECT_EQ(FileText("Ploxen.sco.tmp"), "");
  struct stat st;
  EXPECT_NE(stat("Ploxen.sco.tmp", &st), 0);
}

TEST_F(ScoreTableTest, AFileThatCannotBeWrittenKeepsTheOldList) {
  std::string before = Join(Ladder(500, 10));
  WriteFile(ScoreFile, before);
  ASSERT_EQ(mkdir("Ploxen.sco.tmp", 0755), 0);  // the replacement cannot be made
  SetLocalResult(9999, 9);
  Open(0, Ok);
  EXPECT_EQ(FileText(ScoreFile), before);
}

class ResultsTest : public ScoreTableTest {};

TEST_F(ResultsTest, EveryPlayerIsListedAndTheSurvivorsUnderlined) {
  HostGame();
  AdmitPeers(2);
  PlayerTable[0].score = 1500;
  PlayerTable[0].lines = 12;
  PlayerTable[2].score = 1234567;
  PlayerTable[2].lines = 1000;
  AliveFlags[0] = 'O';
  AliveFlags[1] = 'N';
  AliveFlags[2] = 'O';
  ShowScoreTable(0);
  DialogWindow* d = ModelessDialog;
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(NullItemText(d, 1004), "001500     012     Moi");
  EXPECT_EQ(NullItemText(d, 1005), "000000     000     J1");
  EXPECT_EQ(NullItemText(d, 1006), "1234567     1000     J2");
  EXPECT_EQ(NullItemText(d, 1007), "");
  EXPECT_EQ(NullItemText(d, 1013), "");
  EXPECT_TRUE(NullItemUnderlined(d, 1004));
  EXPECT_FALSE(NullItemUnderlined(d, 1005));
  EXPECT_TRUE(NullItemUnderlined(d, 1006));
  EXPECT_FALSE(NullItemUnderlined(d, 1007));
  EXPECT_FALSE(NullItemVisible(d, 1003));
  EXPECT_EQ(FocusedItem(d), DialogOk);
  NullPressButton(d, DialogOk);
  EXPECT_EQ(ModelessDialog, nullptr);
  EXPECT_EQ(FileText(ScoreFile), "");
}

TEST_F(ResultsTest, TheLastLossOfANetworkMatchOpensTheResults) {
  HostGame();
  AdmitPeers(1);
  RequestStart();
  GameTick();
  NullTakeOpenedDialogs();
  FromPeer(1, "P01000300004");
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{ScoreDialog});
  ASSERT_NE(ModelessDialog, nullptr);
  EXPECT_EQ(NullItemText(ModelessDialog, 1005), "000300     004     J1");
  EXPECT_TRUE(NullItemUnderlined(ModelessDialog, 1004));
  EXPECT_FALSE(NullItemUnderlined(ModelessDialog, 1005));
  NullPressButton(ModelessDialog, DialogCancel);
  EXPECT_EQ(ModelessDialog, nullptr);
}

}  // namespace
