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
    DeliverMessages();
    NullResetSound();
    MusicOn = SoundOn = 1;
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

TEST_F(Audio, EveryMatchStartPlaysTheTuneFromItsBeginningAndSoDoesItsEnd) {
  StartTestMatch(1);
  StartTestMatch(2);
  DeliverMessages();  // the close's notice is no end
  NullFinishMusic();
  DeliverMessages();
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close", Open, "play", "close", Open, "play"}));
  EXPECT_TRUE(NullMusicPlaying());
}

TEST_F(Audio, TurningMusicOffStopsItForGoodAndOnStartsItFromTheBeginning) {
  StartTestMatch(1);
  ToggleMusic();
  EXPECT_FALSE(NullMusicPlaying());
  DeliverMessages();
  MatchOver = 1;  // turning it on needs no match
  ToggleMusic();
  EXPECT_EQ(NullSoundLog(), (Lines{Open, "play", "close", Open, "play"}));
  // The tune ends just before the player turns it off: the end's notice then
  // arrives with the music off and must not start it again.
  NullFinishMusic();
  ToggleMusic();
  DeliverMessages();
  EXPECT_EQ(NullSoundLog().size(), 6u);
}
