// Test controls of the SDL2_mixer sound back end: what the mixer is doing now.
#pragma once

// True while the tune is playing and some of it is rendered.
bool SdlTunePlaying();

// True once the last opened tune is rendered whole, its ring included.
bool SdlTuneRendered();

// True while an effect is sounding.
bool SdlEffectSounding();

// How many times the tune has begun a round from its beginning since the program started.
int SdlTuneRounds();
