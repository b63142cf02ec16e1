#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TStrings;

// The text notation of a note entry: keys texts, length codes and durations. Pure logic,
// no state; every function here may be called from any thread.
namespace midi {

// Splits a keys text at its commas into target, which is emptied first. Every comma ends an
// item, even an empty one; the text after the last comma is an item only when it is not
// empty. Nothing is trimmed: "60,,64" gives "60", "" and "64"; "60," gives "60"; "" gives
// nothing.
void ExtractNotes(std::string_view keys, TStrings& target);

// Calls visit(item) for each item that ExtractNotes would yield, in order, without
// allocating. visit takes a std::string_view.
template <typename Visit>
void ForEachKeyItem(std::string_view keys, Visit&& visit) {
    size_t start = 0;
    for (size_t at = 0; at < keys.size(); ++at) {
        if (keys[at] == ',') {
            visit(keys.substr(start, at - start));
            start = at + 1;
        }
    }
    if (start < keys.size()) visit(keys.substr(start));
}

// The number of items ExtractNotes yields for keys.
[[nodiscard]] int CountKeyItems(std::string_view keys);

// Reads an item the way the C library's atol does: leading white space is skipped, then an
// optional sign and the digits after it; reading stops at the first other character, and an
// item without digits reads 0. Values beyond the range of a 64-bit integer saturate.
[[nodiscard]] int64_t ReadKey(std::string_view item);

// A length code and its value: the fraction of a whole note it lasts and its MIDI delta time.
struct NoteLength {
    int numerator;     // fraction of a whole note ...
    int denominator;   // ... as numerator / denominator
    int ticks;         // at 768 ticks per quarter note (3072 per whole note)
    int delta_size;    // bytes of the delta time: 1 below 128 ticks, otherwise 2
    uint8_t delta[2];  // the delta time as a MIDI variable-length quantity
};

// The value of one of the 24 length codes "1" ... "32", "T1" ... "T32", "P1" ... "P32",
// "D1" ... "D32" (digits 1, 2, 4, 8, 16, 32; T triplet, P dotted, D double-dotted). Codes are
// compared exactly, letter case and blanks included; any other text is a whole note ("1").
[[nodiscard]] const NoteLength& LookUpLength(std::string_view code);

// The duration of a length code when a whole note lasts whole: the code's fraction, its
// numerator divided by its denominator in extended precision, times whole.
[[nodiscard]] long double GetSekundenOfLength(std::string_view code, long double whole);

// A value as text with three decimals and a full stop, cut (not rounded) to thousandths:
// 1.5 "1.500", 12.3456 "12.345", -0.5 "-0.500", 0.1 "0.100". A value whose thousandths fit
// in fewer than three digits (below 0.1 in size) gives its whole part alone, "0"; no
// thousands are grouped. Infinite and undefined values give "INF", "-INF" and "NAN".
[[nodiscard]] std::string LongToStr(long double value);

}  // namespace midi
