#pragma once

#include <string>

// Octaves and frequencies of MIDI keys (60 is middle C, 69 the A of 440 Hz).
namespace midi {

// The octave of a key: key / 12 for keys from 12 up (10 for keys 120 to 127), 0 below 12,
// negative keys included.
[[nodiscard]] int GetOctave(int key);

// The frequency of a key in hertz, cut (not rounded) to three decimals, with a comma as the
// decimal separator and no grouping: "440,000" for key 69, "8,175" for key 0. It starts from
// the C of the key's octave and steps up by that octave's ratio of C sharp to C, once per
// semitone; keys whose octave is not 1 to 10 (below 12, or from 132 up) use octave 0.
[[nodiscard]] std::string GetHz(int key);

}  // namespace midi
