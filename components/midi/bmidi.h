#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/component.h"

class TStrings;

// TBMidi: a melody in the note text notation, written as a Standard MIDI File, with the
// names of the instruments and the frequencies of the keys.
//
// A note entry is a keys text ("60", or "60,64,67" for a chord), a length code ("4" a quarter
// note, "T8" a triplet eighth, "P2" a dotted half, "D4" a double-dotted quarter; digits 1, 2,
// 4, 8, 16, 32; anything else is a whole note) and a velocity text ("100"). The texts are
// stored unchanged and interpreted when the file is written (see midi_file_writer.h).
//
// The melody belongs to the program, not to the component: every TBMidi reads and changes the
// same note list, and creating or destroying a component leaves it alone. The component has
// no published properties of its own; it lives on the creating thread, like every component.
class TBMidi : public TComponent {
    Q_OBJECT

public:
    explicit TBMidi(QObject* owner);

    // How the second byte of a two-byte delta time is written: true exactly, false (the
    // default) always as 00, which makes "16", the dotted and the double-dotted lengths whose
    // tick count is no multiple of 128 sound shorter. Nothing in the class changes it.
    bool ExactTiming = false;

    // The note list (shared by all components).
    void AddNote(const std::string& keys, const std::string& length, const std::string& velocity);
    // Raises EStringListError "List index out of bounds (<index>)" for an index outside the
    // list, which then stays as it was.
    void DeleteNote(int index);
    void ClearNotes();
    [[nodiscard]] int NoteCount() const;

    // Empties list and fills it with the items of a keys text (note_text.h).
    void ExtractNotes(const std::string& keys, TStrings& list) const;
    // The duration of a length code when a whole note lasts whole (seconds in, seconds out; at
    // the tempo of the written file a whole note lasts 2 seconds).
    [[nodiscard]] long double GetSekundenOfLength(const std::string& length,
                                                  long double whole) const;
    // A value with three decimals and a full stop, cut to thousandths: 1.5 gives "1.500".
    [[nodiscard]] std::string LongToStr(long double value) const;

    // Writes the melody to file_name (midi_file_writer.h): checks every entry first and
    // replaces the file only when the whole file could be written. Raises EConvertError for a
    // velocity text that is no integer and Exception for a key or velocity outside 0 to 127
    // or a file that cannot be created or written; the file at file_name is then unchanged.
    void WriteMidiFile(const std::string& file_name) const;
    // The byte length of the note track's events, end of track included (4 when empty).
    [[nodiscard]] int64_t CountBytes() const;
    // Writes the events of one entry at the current position of stream, with ExactTiming.
    void NoteOnEvent(std::FILE* stream, const std::string& length, const std::string& keys,
                     const std::string& velocity) const;

    // Instruments and pitch (instruments.h, pitch.h).
    [[nodiscard]] int GetOctave(int key) const;
    [[nodiscard]] std::string GetHz(int key) const;
    void FillInstrumentList(TStrings& list) const;
    [[nodiscard]] int GetHexInstrument(const std::string& name) const;
    [[nodiscard]] std::string GetStringInstrument(int program) const;
};

namespace Bmidi {
// Records TBMidi on the "Brindlex" palette page.
void Register();
}  // namespace Bmidi
