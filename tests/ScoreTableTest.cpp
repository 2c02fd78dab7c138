// Dialog 105: the Solo high-score list and its file.
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "shell/ScoreTable.h"
#include "tests/DialogTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

// A line of the file as the program formats it.
std::string Entry(long score, int lines, const std::string& name) {
  char text[48];
  std::snprintf(text, sizeof text, "%06ld     %03d     ", score, lines);
  return text + name;
}

std::string Join(const Lines& lines, const char* end = "\n") {
  std::string out;
  for (const std::string& l : lines) out += l + end;
  return out;
}

// Ten entries with scores from first down by step.
Lines Ladder(long first, long step) {
  Lines lines;
  for (int i = 0; i < 10; ++i) lines.push_back(Entry(first - i * step, i, "J" + std::to_string(i)));
  return lines;
}

// The file after the local entry (4 lines, alias "Moi") is placed at index: the lines
// below move down, the tenth drops, missing lines are the empty-list line.
std::string Placed(Lines lines, long index, long score) {
  lines.insert(lines.begin() + index, Entry(score, 4, "Moi"));
  lines.resize(10, "000000     000     -");
  return Join(lines);
}

using ScoreTableTest = DialogTest;

// A lost Solo match at score with 4 lines, then OK in the table; whether a name was asked.
bool EnterScore(long score) {
  LocalEntry().score = int32_t(score);
  LocalEntry().lines = 4;
  bool nameField = false;
  NullScriptNextDialog([&](DialogWindow* d) {
    nameField = NullItemVisible(d, 1003) && FocusedItem(d) == 1003;
    NullPressButton(d, DialogOk);
  });
  ShowScoreTable(0);
  return nameField;
}

TEST_F(ScoreTableTest, ANewScoreIsPlacedInTheFileAsReadAndOnlyAPlacedOneIsWritten) {
  Lines longFirst = Ladder(900, 100), cut = longFirst, sevenDigits = Ladder(100, 10);
  longFirst[0] += std::string(200, 'x');
  cut[0] = longFirst[0].substr(0, 98);
  sevenDigits[0] = Entry(1234567, 0, "Champion");  // compared as 123456
  struct Case { const char* what; std::string file; long score; std::string expected; };
  const Case cases[] = {
      {"first game", "-", 1234, Placed({}, 0, 1234)},
      {"seven digits", "-", 1234567, Placed({}, 0, 1234567)},
      {"equal score", Join(Ladder(900, 100)), 700, Placed(Ladder(900, 100), 2, 700)},
      {"below all ten", Join(Ladder(5000, 10)), 4900, Join(Ladder(5000, 10))},
      {"six characters", Join(sevenDigits), 200000, Placed(sevenDigits, 0, 200000)},
      {"CR LF", Join(Ladder(500, 10), "\r\n"), 455, Placed(Ladder(500, 10), 5, 455)},
      {"short file", Entry(300, 3, "A") + "\n" + Entry(200, 2, "B"), 100,
       Placed({Entry(300, 3, "A"), Entry(200, 2, "B")}, 2, 100)},
      {"long line", Join(longFirst), 50, Placed(cut, 9, 50)},
  };
  for (const Case& c : cases) {  // a file of "-" stands for none
    std::remove(ScoreFile);
    if (c.file != "-") WriteFile(ScoreFile, c.file);
    EXPECT_EQ(EnterScore(c.score), c.expected != c.file) << c.what;
    EXPECT_EQ(FileText(ScoreFile), c.expected) << c.what;
  }
}

// A linked file gets its target written, and what a killed write left is gone at the next
// opening; a replacement that cannot be made keeps the old list.
TEST_F(ScoreTableTest, ALinkedFileKeepsItsLinkAndAWriteThatFailsOrWasKilledLeavesTheList) {
  const std::string placed = Placed(Ladder(500, 10), 0, 9999);
  WriteFile("real.sco", Join(Ladder(500, 10)));
  ASSERT_EQ(symlink("real.sco", ScoreFile), 0);
  WriteFile("real.sco.tmp", "cut");
  EXPECT_TRUE(EnterScore(9999));
  struct stat st;
  EXPECT_TRUE(lstat(ScoreFile, &st) == 0 && S_ISLNK(st.st_mode));
  EXPECT_EQ(FileText("real.sco"), placed);
  EXPECT_NE(stat("real.sco.tmp", &st), 0);
  ASSERT_EQ(mkdir("real.sco.tmp", 0755), 0);
  EXPECT_TRUE(EnterScore(99999));
  EXPECT_EQ(FileText("real.sco"), placed);
}

}  // namespace
