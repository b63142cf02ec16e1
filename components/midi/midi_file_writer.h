#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace midi {

class NoteList;

// The Standard MIDI File of a melody: a header (format 1, three tracks, 768 ticks per quarter
// note), a conductor track (4/4, 120 quarter notes per minute), the note track on channel 0
// and a track holding only a channel prefix. Each note entry plays its keys together for its
// length at its velocity, and the next entry starts when it ends:
//   00 90 k v for each key, the delta time of the length, 80 k1 v, 00 80 k v for the others.
// An entry whose keys text yields no key (the empty text) writes nothing.
//
// exact_timing chooses how the second byte of a two-byte delta time is written: true as the
// length's value, false always as 00 (so "16" lasts 128 ticks instead of 192). Both modes
// write the same number of bytes.

// The byte length of the note track's events, its end of track included: 4 plus, for each
// entry with n >= 1 keys items, 8 * n - 1 and the size of the entry's delta time (1 for "32"
// and "T32", 2 for every other code).
[[nodiscard]] int64_t CountBytes(const NoteList& melody);

// Writes the events of one entry at the current position of stream. Keys items and the
// velocity text are read like atol does and written as their low eight bits; no range check.
void NoteOnEvent(std::FILE* stream, std::string_view length, std::string_view keys,
                 std::string_view velocity, bool exact_timing);

// Checks one entry before it is written and returns its velocity. The velocity text is
// converted with the platform's strict StrToInt, which raises EConvertError "'<text>' is not
// a valid integer value"; a velocity or key outside 0 to 127 raises Exception naming it
// ('key "200" is outside 0 to 127').
int CheckNoteEntry(std::string_view keys, const std::string& velocity);

// Writes the melody to file_name, replacing any file there. Every entry is checked first
// (CheckNoteEntry; range errors name the entry: "Note entry 2 (keys "60,200", length "4",
// velocity "100"): key "200" is outside 0 to 127"), and the file is written beside the target
// and renamed over it, so that on any error the file at file_name stays as it was and no
// partial file is left. A file that cannot be created or written raises Exception "Cannot
// create file ..." or "Cannot write file ...". The melody is not changed.
void WriteMidiFile(const NoteList& melody, const std::string& file_name, bool exact_timing);

}  // namespace midi
