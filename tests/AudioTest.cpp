// Music and effects as the game asks for them, through the headless sound back end.
#include <gtest/gtest.h>

#include "display/MessageLog.h"
#include "shell/Audio.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Messages.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullSound.h"
#include "tests/TestMatch.h"

using Lines = std::vector<std::string>;

static const std::string Open = "open Ploxen.mid";

// Each effect asked for, with the milliseconds slept since the game began and whether
// the log said "Perdu !" already.
static Lines Heard;
static uint64_t PlayStart;

// Hands the waiting messages to the window, as the main loop would; a tune that
// restarts at every notice fails the test instead of holding it up.
static void DeliverMessages() {
  Message m;
  for (int i = 0; i < 50 && TakeMessage(&m); ++i) WindowProcedure(m);
}

class Audio : public ::testing::Test {
 protected:
  void SetUp() override {  // whatever an earlier test left open is closed, its notices dropped
    MusicOn = 0;
    RestartMusic();
    NullResetSound();
    MusicOn = 1;
    Heard.clear();
    NullOnEffect([](const std::string& file) {
      const char* line = MessageLine(0);
      Heard.push_back(file + " " + std::to_string(NullSleptMs() - PlayStart) +
                      (line && std::string(line) == "Perdu !" ? " logged" : ""));
    });
  }
};

// Locks completing 0 to 4 rows, then one whose next Piece cannot appear; returns
// what the player sees and the time it all took.
static std::string PlayLocksAndLoss() {
  StartTestMatch(9);
  PlayStart = NullSleptMs();
  for (int n = 0; n <= 4; ++n) LandBar(n);
  Board[2][5] = 8;  // every type's first cell spawns here
  LandBar(0);
  std::string seen = Stack() + std::to_string(LocalEntry().score) + " " +
                     std::to_string(LocalEntry().lines) + " " + std::to_string(Level) + " " +
                     std::to_string(FulrowCount) + " " + std::to_string(TickCount());
  for (int i = 0; MessageLine(i); ++i) seen += std::string("\n") + MessageLine(i);
  return seen;
}

TEST_F(Audio, EachLockAsksForOneEffectAsItsAnimationStartsALossForPerduBeforeTheLogSaysSo) {
  std::string played = PlayLocksAndLoss();
  // Each clear's animation sleeps 150 ms after its effect.
  EXPECT_EQ(Heard, (Lines{"Pose.wav 0", "Ligne.wav 0", "Ligne.wav 150", "Ligne.wav 300",
                          "Fulrow.wav 450", "Pose.wav 600", "Perdu.wav 600"}));
  EXPECT_STREQ(MessageLine(0), "Perdu !");
  SoundOn = 0;
  Heard.clear();
  EXPECT_EQ(PlayLocksAndLoss(), played);  // the same game, in silence
  EXPECT_TRUE(Heard.empty());
}

// Only a natural end, a match start or F8's on starts the tune, each from its beginning: the
// close's notice at a match start is no end, and an end heard with the music off is ignored.
TEST_F(Audio, TheTuneStartsAtEachMatchStartItsEndAndMusicOnButNeverWhenTheMusicIsOff) {
  StartTestMatch(1);
  StartTestMatch(2);
  DeliverMessages();
  NullFinishMusic();
  DeliverMessages();
  EXPECT_TRUE(NullMusicPlaying());
  ToggleMusic();
  EXPECT_FALSE(NullMusicPlaying());
  DeliverMessages();
  MatchOver = 1;  // turning it on needs no match
  ToggleMusic();
  NullFinishMusic();  // just before the player turns it off
  ToggleMusic();
  DeliverMessages();
  Lines rounds;
  for (int i = 0; i < 4; ++i) rounds.insert(rounds.end(), {Open, "play", "close"});
  EXPECT_EQ(NullSoundLog(), rounds);
}
