// The playing time of a Standard MIDI File, from its tempo map and the end of its longest track.
#pragma once
#include <cstddef>
#include <cstdint>

// Seconds from the first tick to the last End of Track, always finite; -1 when the bytes are not
// a MIDI file or their timing cannot be turned into seconds.
double MidiSeconds(const uint8_t* bytes, size_t size);

// The same for a file; -1 when it cannot be read.
double MidiFileSeconds(const char* fileName);
