#include "note_list.h"

#include "core/exception.h"

namespace midi {

void NoteList::AddNote(const std::string& keys, const std::string& length,
                       const std::string& velocity) {
    keys_.Add(keys);
    lengths_.Add(length);
    velocities_.Add(velocity);
}

void NoteList::DeleteNote(int index) {
    // The keys list checks the index before anything is removed, so the three lists stay
    // aligned when it raises.
    keys_.Delete(index);
    lengths_.Delete(index);
    velocities_.Delete(index);
}

void NoteList::ClearNotes() {
    keys_.Clear();
    lengths_.Clear();
    velocities_.Clear();
}

size_t NoteList::Checked(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return static_cast<size_t>(index);
}

NoteList& SharedNoteList() {
    static NoteList melody;
    return melody;
}

}  // namespace midi
