// The background picture "Ploxen.gif": panel backgrounds and cell textures of the patterned display.
#pragma once
#include <cstdint>

struct Surface;

constexpr int ImageWidth = 270;
constexpr int ImageHeight = 400;

// True when "Ploxen.gif" was opened and decoded at start-up.
extern bool ImageLoaded;

// The decoded picture as a surface for the panels; nullptr until loaded.
extern Surface* ImageSurface;
