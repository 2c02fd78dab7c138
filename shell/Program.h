// The program from start-up to shutdown.
#pragma once

// Start-up, before anything plays: the rules report to the match control, the
// match control reaches the parameters dialog, the sound and the score table,
// and the game keys take their defaults until the settings are read.
void ConnectLayers();

// Start-up, the main loop, shutdown; returns the exit code (0 when no window could be made).
int RunProgram();

// One pass of the main loop: a message dispatched, or a GameTick; false after
// the quit message, whose exit code it stores.
bool RunLoopPass(int* exitCode);

// Runs the main loop until the quit message; returns its exit code.
int RunMainLoop();

// Milliseconds the loop may wait before a GameTick can change anything: 0 for
// now, -1 for no limit (only a message or a datagram can).
int IdleWait();
