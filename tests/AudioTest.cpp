// Music and effects as the game asks for them, through the headless sound back end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "shell/Audio.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Messages.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullSound.h"
#include "tests/TestMatch.h"

namespace {

using Lines = std::vector<std::string>;

const std::string Open = "open Ploxen.mid";

// Hands every waiting message to the window, as the main loop would.
void DeliverMessages() {
  Message m;
  while (TakeMessage(&m)) WindowProcedure(m);
}

// Whatever an earlier test left open is closed, and its notices are dropped.
class Audio : public ::testing::Test {
 protected:
  void SetUp() override {
    MusicOn = 0;
    RestartMusic();
    Message m;
    while (TakeMessage(&m)) {
    }
    NullResetSound();
    MusicOn = 1;
    SoundOn = 1;
  }
};

// Lands a vertical bar in column 10 on rows 18..21, of which the lowest n lack
// only column 10 and the others columns 9 and 10: the lock completes n rows.
void LandBar(int n) {
  for (int r = 18; r <= 21; ++r) FillRow(r, r >= 22 - n ? std::initializer_list<int>{10}
                                                        : std::initializer_list<int>{9, 10});
  PlacePiece(7, {{10, 19}, {10, 18}, {10, 20}, {10, 21}});
  TickAfter(1001);
}

// ---- effects ----

TEST_F(Audio, EachLockAsksForOneEffectBeforeTheClearAnimation) {
  const char* expected[5] = {"Pose.wav", "Ligne.wav", "Ligne.wav", "Ligne.wav", "Fulrow.wav"};
  for (int n = 0; n <= 4; ++n) {
    StartTestMatch(9);
    EmptyPlayArea();
    NullResetSound();
    uint64_t start = NullSleptMs();
    std::vector<uint64_t> sleptBefore;
    NullOnEffect([&](const std::string&) { sleptBefore.push_back(NullSleptMs() - start); });
    LandBar(n);
    EXPECT_EQ(NullEffects(), Lines{expected[n]}) << n << " rows";
    EXPECT_EQ(LastClearCount, n);
    ASSERT_EQ(sleptBefore.size(), 1u);
    EXPECT_EQ(sleptBefore[0], 0u) << "the effect accompanies the animation, it does not follow it";
    EXPECT_EQ(NullSleptMs() - start, n > 0 ? 150u : 0u);
  }
}

TEST_F(Audio, ALossAsksForPerduBeforeTheLogSaysSo) {
  StartTestMatch(3);
  EmptyPlayArea();
  Board[2][5] = 8;  // every type's first cell spawns here
  NullResetSound();
  std::string newestLineThen = "(not asked)";
  NullOnEffect([&](const std::string& file) {
    if (file == "Perdu.wav") newestLineThen = MessageLine(0) ? MessageLine(0) : "";
  });
  LandBar(0);
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(NullEffects(), (Lines{"Pose.wav", "Perdu.wav"}));
  EXPECT_EQ(newestLineThen, "") << "the log was still empty when the effect was asked for";
  ASSERT_NE(MessageLine(0), nullptr);
  EXPECT_EQ(std::string(MessageLine(0)), "Perdu !");
}

// What a player sees and scores after a fixed sequence of locks and a loss.
struct Outcome {
  std::vector<uint8_t> board;
  int32_t score, lines, level, fulrows;
  uint8_t over;
  Lines log;
  uint64_t slept;
  uint32_t clock;
  bool operator==(const Outcome&) const = default;
};

Outcome PlaySequence() {
  StartTestMatch(21, 0, 2);
  uint64_t start = NullSleptMs();
  EmptyPlayArea();
  LandBar(0);
  LandBar(2);
  LandBar(4);
  Board[2][5] = 8;
  LandBar(0);
  Outcome o{std::vector<uint8_t>(&Board[0][0], &Board[0][0] + BoardRows * BoardCols),
            LocalEntry().score, LocalEntry().lines, Level, FulrowCount, MatchOver, {},
            NullSleptMs() - start, TickCount()};
  for (int i = 0; MessageLine(i); ++i) o.log.push_back(MessageLine(i));
  return o;
}

TEST_F(Audio, WithSoundOffNoEffectPlaysAndTheGameRunsTheSame) {
  Outcome heard = PlaySequence();
  EXPECT_EQ(NullEffects(),
            (Lines{"Pose.wav", "Ligne.wav", "Fulrow.wav", "Pose.wav", "Perdu.wav"}));
  SoundOn = 0;
  NullResetSound();
  Outcome silent = PlaySequence();
  EXPECT_TRUE(NullEffects().empty());
  EXPECT_EQ(heard, silent);
  EXPECT_EQ(silent.fulrows, 1);
  EXPECT_EQ(silent.over, 1);
}

// ---- music ----

TEST_F(Audio, EveryMatchStartPlaysTheTuneFromItsBeginning) {
  StartTestMatch(1);
  StartTestMatch(2);
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close", Open, "play"}));
  EXPECT_TRUE(NullMusicPlaying());
  DeliverMessages();  // the close's notice is not an end
  EXPECT_EQ(NullSoundLog().size(), 5u);
}

TEST_F(Audio, WithMusicOffAMatchStartsInSilence) {
  MusicOn = 0;
  StartTestMatch(1);
  EXPECT_TRUE(NullSoundLog().empty());
}

TEST_F(Audio, TheTuneStartsAgainWhenItPlaysToItsEnd) {
  StartTestMatch(1);
  NullFinishMusic();
  DeliverMessages();
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close", Open, "play"}));
  EXPECT_TRUE(NullMusicPlaying());
}

TEST_F(Audio, TurningMusicOffStopsItAndOnStartsItFromTheBeginning) {
  StartTestMatch(1);
  ToggleMusic();
  EXPECT_EQ(MusicOn, 0);
  EXPECT_FALSE(NullMusicPlaying());
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close"}));
  DeliverMessages();
  EXPECT_EQ(NullSoundLog().size(), 3u) << "a stopped tune does not come back";
  MatchOver = 1;  // turning it on needs no match
  ToggleMusic();
  EXPECT_EQ(MusicOn, 1);
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close", Open, "play"}));
  EXPECT_TRUE(NullMusicPlaying());
}

// The tune may reach its end just before the player turns it off: the end's
// notice then arrives with the music off and must not start it again.
TEST_F(Audio, AnEndNoticeThatArrivesAfterTheMusicWasTurnedOffIsIgnored) {
  StartTestMatch(1);
  NullFinishMusic();
  ToggleMusic();
  DeliverMessages();
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close"}));
  EXPECT_FALSE(NullMusicPlaying());
}

TEST_F(Audio, ATuneThatCannotOpenIsTriedAgainAtTheNextStart) {
  NullFailMusicOpens(true);
  StartTestMatch(1);
  EXPECT_EQ(NullSoundLog(), Lines{Open});
  EXPECT_EQ(MessageLine(0), nullptr) << "nothing is shown";
  EXPECT_EQ(MatchOver, 0);
  NullFailMusicOpens(false);
  StartTestMatch(2);
  EXPECT_EQ(NullSoundLog(), (Lines{Open, Open, "play"}));
}

TEST_F(Audio, ShutdownClosesTheTuneForGood) {
  StartTestMatch(1);
  ShutdownMusic();
  EXPECT_EQ(MusicOn, 0);
  EXPECT_FALSE(NullMusicPlaying());
  DeliverMessages();
  NullFinishMusic();
  DeliverMessages();
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close"}));
}

}  // namespace
