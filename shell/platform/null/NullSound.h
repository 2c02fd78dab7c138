// Test controls of the headless sound back end: what the game asked it, in order.
#pragma once
#include <functional>
#include <string>
#include <vector>

// One line per call: "open Ploxen.mid", "play", "close", "effect Pose.wav".
const std::vector<std::string>& NullSoundLog();

// Runs with each effect's file name at the moment it is asked for, so a test can look
// at what the game had done by then.
void NullOnEffect(std::function<void(const std::string&)> hook);

// Empties the log, forgets any open tune and the effect hook; opens succeed again.
void NullResetSound();

// True while the tune has been started and has neither ended nor been closed.
bool NullMusicPlaying();

// The playing tune reaches its end: the successful notice is posted as a real device would.
void NullFinishMusic();
