#include "midi/bmidi.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/component_palette.h"
#include "core/exception.h"
#include "core/string_list.h"
#include "test_support.h"

namespace {

// The melody is the program's, so every test starts from an empty one.
class TBMidiTest : public ::testing::Test {
protected:
    void SetUp() override { TBMidi(nullptr).ClearNotes(); }
    void TearDown() override { TBMidi(nullptr).ClearNotes(); }
};

TEST_F(TBMidiTest, ComponentsShareOneMelodyThatOutlivesThem) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* first = new TBMidi(owner.get());
    auto* second = new TBMidi(owner.get());
    first->AddNote("60,64", "4", "100");
    EXPECT_EQ(second->NoteCount(), 1);
    EXPECT_EQ(second->CountBytes(), 21);

    midi_test::TempDir dir;
    second->WriteMidiFile(dir.File("shared.mid"));
    EXPECT_EQ(midi_test::ReadBytes(dir.File("shared.mid")).size(), 87u);

    owner.reset();
    TBMidi later(nullptr);
    EXPECT_EQ(later.NoteCount(), 1);
    EXPECT_EQ(later.CountBytes(), 21);
}

TEST_F(TBMidiTest, DeleteNoteRemovesOneEntryAndRejectsBadIndexes) {
    TBMidi midi(nullptr);
    try {
        midi.DeleteNote(0);
        ADD_FAILURE() << "no error raised";
    } catch (const EStringListError& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (0)");
    }
    EXPECT_EQ(midi.NoteCount(), 0);

    midi.AddNote("60", "4", "100");
    midi.AddNote("62", "32", "90");
    midi.AddNote("64", "8", "80");
    EXPECT_THROW(midi.DeleteNote(3), EStringListError);
    EXPECT_THROW(midi.DeleteNote(-1), EStringListError);
    midi.DeleteNote(0);
    // The remaining entries keep their keys, lengths and velocities together: "62" "32" is
    // 15 bytes with its one-byte delta, "64" "8" 9 bytes.
    EXPECT_EQ(midi.CountBytes(), 4 + 8 + 9);
    midi.DeleteNote(1);
    EXPECT_EQ(midi.CountBytes(), 4 + 8);
    midi.ClearNotes();
    EXPECT_EQ(midi.CountBytes(), 4);
}

TEST_F(TBMidiTest, ExactTimingChoosesTheSecondDeltaByte) {
    TBMidi midi(nullptr);
    EXPECT_FALSE(midi.ExactTiming);
    midi.AddNote("60", "16", "100");
    midi_test::TempDir dir;
    midi.WriteMidiFile(dir.File("coarse.mid"));
    midi.ExactTiming = true;
    midi.WriteMidiFile(dir.File("exact.mid"));
    const auto coarse = midi_test::ReadBytes(dir.File("coarse.mid"));
    const auto exact = midi_test::ReadBytes(dir.File("exact.mid"));
    ASSERT_EQ(coarse.size(), exact.size());
    // The note-off's delta follows the note-on at offset 49 + 4.
    EXPECT_EQ(midi_test::Hex({coarse[53], coarse[54]}), "81 00");
    EXPECT_EQ(midi_test::Hex({exact[53], exact[54]}), "81 40");
}

TEST_F(TBMidiTest, InstrumentNamesAndNumbers) {
    TBMidi midi(nullptr);
    TStringList list{"first", "second"};
    midi.FillInstrumentList(list);
    ASSERT_EQ(list.Count(), 82);
    EXPECT_EQ(list[0], "first");
    EXPECT_EQ(list[2], "Acoustic Grand Piano");
    EXPECT_EQ(list[81], "Ocarina");
    midi.FillInstrumentList(list);
    EXPECT_EQ(list.Count(), 162);

    // The names are this library's own (not all General MIDI's) and stay exactly so.
    const char* const expected[80] = {"Acoustic Grand Piano",
                                      "Bright Acoustic Piano",
                                      "Electric Grand Piano",
                                      "Honky-Tonk Piano",
                                      "Electric Piano 1",
                                      "Electric Piano 2",
                                      "Harpsichord",
                                      "Clavichord",
                                      "Celesta",
                                      "Chime",
                                      "Music Box",
                                      "Vibraphon",
                                      "Marimba",
                                      "Xylophon",
                                      "Tubular Bells",
                                      "Dulcimer",
                                      "Drawbar Organ",
                                      "Percussive Organ",
                                      "Rock Organ",
                                      "Church Organ",
                                      "Reed Organ",
                                      "Akkordion",
                                      "Harmonica",
                                      "Tango Akkordion",
                                      "Acoustic Guitar (nylon)",
                                      "Acoustic Guitar (steel)",
                                      "Acoustic Guitar (Jazz)",
                                      "Acoustic Guitar (clean)",
                                      "Acoustic Guitar (muted)",
                                      "Overdriven Guitar",
                                      "Distortion",
                                      "Guitar Harmonics",
                                      "Acoustic Bass",
                                      "Electric Bass (finger)",
                                      "Electric Bass (pick)",
                                      "Fretless Bass",
                                      "Slap Bass 1",
                                      "Slap Bass 2",
                                      "Synth Bass 1",
                                      "Synth Bass 2",
                                      "Violin",
                                      "Viola",
                                      "Cello",
                                      "Contrabass",
                                      "Strings (tremolo)",
                                      "Strings (pizzicato)",
                                      "Orchestral Harp",
                                      "Timpani",
                                      "String Ensemble 1",
                                      "String Ensemble 2",
                                      "Synth Strings 1",
                                      "Synth Strings 2",
                                      "Choirs Aahs",
                                      "Voice Oohs",
                                      "Synth Voice",
                                      "Orchestra Hit",
                                      "Trumpet",
                                      "Trombone",
                                      "Tuba",
                                      "Trumpet (muted)",
                                      "French Horn",
                                      "Brass Section",
                                      "Synth Brass 1",
                                      "Synth Brass 2",
                                      "Soprano Sax",
                                      "Alto Sax",
                                      "Tenor Sax",
                                      "Baritone Sax",
                                      "Oboe",
                                      "English Horn",
                                      "Bassoon",
                                      "Clarinet",
                                      "Piccolo",
                                      "Flute",
                                      "Recorder",
                                      "Pan Flute",
                                      "Blown Bottle",
                                      "Shakuhachi",
                                      "Whistle",
                                      "Ocarina"};
    for (int program = 0; program < 80; ++program) {
        SCOPED_TRACE(program);
        EXPECT_EQ(list[2 + program], expected[program]);
        EXPECT_EQ(midi.GetStringInstrument(program), expected[program]);
        EXPECT_EQ(midi.GetHexInstrument(expected[program]), program);
    }
    const struct {
        const char* name;
        int program;
    } names[] = {{"Vibraphon", 11},
                 {"Vibraphone", 0},
                 {"acoustic grand piano", 0},
                 {"Ocarina", 79},
                 {"Xylophon", 13},
                 {"Akkordion", 21},
                 {"Tango Akkordion", 23},
                 {"Clavichord", 7},
                 {"Chime", 9},
                 {"Honky-Tonk Piano", 3},
                 {"Acoustic Guitar (Jazz)", 26},
                 {"Acoustic Guitar (clean)", 27},
                 {"Acoustic Guitar (muted)", 28},
                 {"Distortion", 30},
                 {"Strings (tremolo)", 44},
                 {"Strings (pizzicato)", 45},
                 {"Synth Strings 2", 51},
                 {"Choirs Aahs", 52},
                 {"Trumpet (muted)", 59},
                 {"Synth Brass 1", 62},
                 {"", 0},
                 {"Ocarina ", 0}};
    for (const auto& row : names) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(midi.GetHexInstrument(row.name), row.program);
    }
    EXPECT_EQ(midi.GetStringInstrument(26), "Acoustic Guitar (Jazz)");
    EXPECT_EQ(midi.GetStringInstrument(80), "");
    EXPECT_EQ(midi.GetStringInstrument(-1), "");
}

TEST_F(TBMidiTest, RegistersOnTheBrindlexPage) {
    Bmidi::Register();
    Bmidi::Register();
    EXPECT_EQ(RegisteredComponentNames(kBrindlexPalettePage), std::vector<std::string>{"TBMidi"});
    // No published properties beyond those of every component.
    EXPECT_EQ(TBMidi::staticMetaObject.propertyCount(),
              TComponent::staticMetaObject.propertyCount());
}

}  // namespace
