#pragma once

#include <string>
#include <string_view>

class TStrings;

// Names of the MIDI programs 0 to 79, in the order of the General MIDI sound set. Several
// names are this library's own on purpose (German "Vibraphon", "Xylophon", "Akkordion";
// "Clavichord", "Chime", acoustic guitars at 26 to 28, ...) and must stay as they are: stored
// settings and callers look instruments up by these exact texts.
namespace midi {

inline constexpr int kInstrumentCount = 80;

// Appends the 80 names to list, program 0 first; the list is not emptied beforehand.
void FillInstrumentList(TStrings& list);

// The program number whose name equals name exactly (letter case matters); 0 for any other
// text, so an unknown name selects "Acoustic Grand Piano".
[[nodiscard]] int GetHexInstrument(std::string_view name);

// The name of a program number; the empty text outside 0 to 79.
[[nodiscard]] std::string GetStringInstrument(int program);

}  // namespace midi
