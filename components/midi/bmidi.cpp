#include "bmidi.h"

#include "core/component_palette.h"
#include "instruments.h"
#include "midi_file_writer.h"
#include "note_list.h"
#include "note_text.h"
#include "pitch.h"

TBMidi::TBMidi(QObject* owner) : TComponent(owner) {}

void TBMidi::AddNote(const std::string& keys, const std::string& length,
                     const std::string& velocity) {
    midi::SharedNoteList().AddNote(keys, length, velocity);
}

void TBMidi::DeleteNote(int index) { midi::SharedNoteList().DeleteNote(index); }

void TBMidi::ClearNotes() { midi::SharedNoteList().ClearNotes(); }

int TBMidi::NoteCount() const { return midi::SharedNoteList().Count(); }

void TBMidi::ExtractNotes(const std::string& keys, TStrings& list) const {
    midi::ExtractNotes(keys, list);
}

long double TBMidi::GetSekundenOfLength(const std::string& length, long double whole) const {
    return midi::GetSekundenOfLength(length, whole);
}

std::string TBMidi::LongToStr(long double value) const { return midi::LongToStr(value); }

void TBMidi::WriteMidiFile(const std::string& file_name) const {
    midi::WriteMidiFile(midi::SharedNoteList(), file_name, ExactTiming);
}

int64_t TBMidi::CountBytes() const { return midi::CountBytes(midi::SharedNoteList()); }

void TBMidi::NoteOnEvent(std::FILE* stream, const std::string& length, const std::string& keys,
                         const std::string& velocity) const {
    midi::NoteOnEvent(stream, length, keys, velocity, ExactTiming);
}

int TBMidi::GetOctave(int key) const { return midi::GetOctave(key); }

std::string TBMidi::GetHz(int key) const { return midi::GetHz(key); }

void TBMidi::FillInstrumentList(TStrings& list) const { midi::FillInstrumentList(list); }

int TBMidi::GetHexInstrument(const std::string& name) const { return midi::GetHexInstrument(name); }

std::string TBMidi::GetStringInstrument(int program) const {
    return midi::GetStringInstrument(program);
}

namespace Bmidi {
void Register() { RegisterComponents(kBrindlexPalettePage, {&TBMidi::staticMetaObject}); }
}  // namespace Bmidi
