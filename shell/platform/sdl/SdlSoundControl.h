// Test controls of the SDL2_mixer sound back end: what the mixer is doing now.
#pragma once

// True while the open tune is playing and has not reached its end.
bool SdlTunePlaying();

// True while an effect is sounding.
bool SdlEffectSounding();
