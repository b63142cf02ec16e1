#pragma once

#include <string>

#include "core/string_list.h"

namespace midi {

// A melody: an ordered list of note entries, each a keys text ("60" or the chord "60,64,67"),
// a length code ("4", "T8", "P2") and a velocity text ("100"), held as three parallel text
// lists of equal length. The texts are stored as given; they are interpreted only when the
// melody is written (midi_file_writer.h). Not thread-safe.
class NoteList {
public:
    // Appends an entry at the end.
    void AddNote(const std::string& keys, const std::string& length, const std::string& velocity);
    // Removes entry index (from 0). An index outside the list raises EStringListError
    // "List index out of bounds (<index>)" and leaves the list unchanged.
    void DeleteNote(int index);
    void ClearNotes();

    [[nodiscard]] int Count() const { return keys_.Count(); }
    [[nodiscard]] const std::string& Keys(int index) const { return keys_.Lines()[Checked(index)]; }
    [[nodiscard]] const std::string& Length(int index) const {
        return lengths_.Lines()[Checked(index)];
    }
    [[nodiscard]] const std::string& Velocity(int index) const {
        return velocities_.Lines()[Checked(index)];
    }

private:
    [[nodiscard]] size_t Checked(int index) const;

    TStringList keys_;
    TStringList lengths_;
    TStringList velocities_;
};

// The one melody of the program. Every TBMidi reads and changes this list; it exists from the
// first use to the end of the program and no component clears it on creation or destruction.
[[nodiscard]] NoteList& SharedNoteList();

}  // namespace midi
