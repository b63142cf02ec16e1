#include "midi/midi_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/exception.h"
#include "midi/note_list.h"
#include "test_support.h"

namespace {

using midi::CountBytes;
using midi::NoteList;
using midi_test::Hex;
using midi_test::ReadBytes;
using midi_test::TempDir;
using Bytes = std::vector<uint8_t>;

const Bytes kHeaderAndConductor = {0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00,
                                   0x03, 0x03, 0x00, 0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x13,
                                   0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x51,
                                   0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};
const Bytes kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};
const Bytes kChannelPrefixTrack = {0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x09, 0x00,
                                   0xFF, 0x20, 0x01, 0x01, 0x00, 0xFF, 0x2F, 0x00};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The whole file around the given note track events (end of track not included).
Bytes FileAround(const Bytes& events) {
    const auto length = static_cast<uint32_t>(events.size() + 4);
    const Bytes track_header = {0x4D,
                                0x54,
                                0x72,
                                0x6B,
                                static_cast<uint8_t>(length >> 24),
                                static_cast<uint8_t>(length >> 16),
                                static_cast<uint8_t>(length >> 8),
                                static_cast<uint8_t>(length)};
    return Concat({kHeaderAndConductor, track_header, events, kEndOfTrack, kChannelPrefixTrack});
}

// The note track events of one melody, as the file writer puts them.
Bytes WrittenEvents(const NoteList& melody, bool exact_timing) {
    TempDir dir;
    const std::string path = dir.File("melody.mid");
    midi::WriteMidiFile(melody, path, exact_timing);
    const Bytes file = ReadBytes(path);
    const size_t events_start = kHeaderAndConductor.size() + 8;
    const size_t trailer = kEndOfTrack.size() + kChannelPrefixTrack.size();
    if (file.size() < events_start + trailer) return {};
    EXPECT_EQ(Hex(file), Hex(FileAround(Bytes(file.begin() + events_start, file.end() - trailer))));
    EXPECT_EQ(CountBytes(melody), static_cast<int64_t>(file.size() - events_start - 17));
    return Bytes(file.begin() + events_start, file.end() - trailer);
}

TEST(WriteMidiFile, EmptyMelodyGivesTheSeventyByteFile) {
    TempDir dir;
    const NoteList melody;
    for (const bool exact : {false, true}) {
        midi::WriteMidiFile(melody, dir.File("empty.mid"), exact);
        const Bytes file = ReadBytes(dir.File("empty.mid"));
        EXPECT_EQ(file.size(), 70u);
        EXPECT_EQ(Hex(file), Hex(FileAround({})));
    }
    EXPECT_EQ(CountBytes(melody), 4);
}

TEST(WriteMidiFile, OneChordGivesTheEightySevenByteFileInBothModes) {
    NoteList melody;
    melody.AddNote("60,64", "4", "100");
    const Bytes expected = {
        0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00, 0x03, 0x03, 0x00, 0x4D,
        0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x13, 0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00, 0x4D, 0x54, 0x72, 0x6B,
        0x00, 0x00, 0x00, 0x15, 0x00, 0x90, 0x3C, 0x64, 0x00, 0x90, 0x40, 0x64, 0x86, 0x00, 0x80,
        0x3C, 0x64, 0x00, 0x80, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00, 0x4D, 0x54, 0x72, 0x6B, 0x00,
        0x00, 0x00, 0x09, 0x00, 0xFF, 0x20, 0x01, 0x01, 0x00, 0xFF, 0x2F, 0x00};
    ASSERT_EQ(expected.size(), 87u);
    TempDir dir;
    for (const bool exact : {false, true}) {
        SCOPED_TRACE(exact ? "exact timing" : "default timing");
        midi::WriteMidiFile(melody, dir.File("chord.mid"), exact);
        EXPECT_EQ(Hex(ReadBytes(dir.File("chord.mid"))), Hex(expected));
    }
    EXPECT_EQ(CountBytes(melody), 21);
    EXPECT_EQ(melody.Count(), 1);  // writing leaves the melody as it was
}

TEST(WriteMidiFile, DeltaTimeOfEveryLengthCodeInBothModes) {
    const struct {
        const char* code;
        Bytes exact;
        Bytes coarse;  // the second byte of a two-byte delta written as 00
    } rows[] = {
        {"1", {0x98, 0x00}, {0x98, 0x00}},
        {"T1", {0x90, 0x00}, {0x90, 0x00}},
        {"P1", {0xA4, 0x00}, {0xA4, 0x00}},
        {"D1", {0xAA, 0x00}, {0xAA, 0x00}},
        {"2", {0x8C, 0x00}, {0x8C, 0x00}},
        {"T2", {0x88, 0x00}, {0x88, 0x00}},
        {"P2", {0x92, 0x00}, {0x92, 0x00}},
        {"D2", {0x95, 0x00}, {0x95, 0x00}},
        {"4", {0x86, 0x00}, {0x86, 0x00}},
        {"T4", {0x84, 0x00}, {0x84, 0x00}},
        {"P4", {0x89, 0x00}, {0x89, 0x00}},
        {"D4", {0x8A, 0x40}, {0x8A, 0x00}},
        {"8", {0x83, 0x00}, {0x83, 0x00}},
        {"T8", {0x82, 0x00}, {0x82, 0x00}},
        {"P8", {0x84, 0x40}, {0x84, 0x00}},
        {"D8", {0x85, 0x20}, {0x85, 0x00}},
        {"16", {0x81, 0x40}, {0x81, 0x00}},
        {"T16", {0x81, 0x00}, {0x81, 0x00}},
        {"P16", {0x82, 0x20}, {0x82, 0x00}},
        {"D16", {0x82, 0x50}, {0x82, 0x00}},
        {"32", {0x60}, {0x60}},
        {"T32", {0x40}, {0x40}},
        {"P32", {0x81, 0x10}, {0x81, 0x00}},
        {"D32", {0x81, 0x28}, {0x81, 0x00}},
        {"3", {0x98, 0x00}, {0x98, 0x00}},
        {"p4", {0x98, 0x00}, {0x98, 0x00}},
        {"", {0x98, 0x00}, {0x98, 0x00}},
    };
    for (const auto& row : rows) {
        NoteList melody;
        melody.AddNote("60", row.code, "100");
        for (const bool exact : {false, true}) {
            SCOPED_TRACE(std::string("code \"") + row.code + "\", " + (exact ? "exact" : "coarse"));
            const Bytes delta = exact ? row.exact : row.coarse;
            EXPECT_EQ(Hex(WrittenEvents(melody, exact)),
                      Hex(Concat({{0x00, 0x90, 0x3C, 0x64}, delta, {0x80, 0x3C, 0x64}})));
        }
    }
}

TEST(WriteMidiFile, KeysTextItems) {
    const struct {
        const char* name;
        const char* keys;
        Bytes events;
    } rows[] = {
        {"trailing comma is no key",
         "60,64,",
         {0x00, 0x90, 60, 1, 0x00, 0x90, 64, 1, 0x60, 0x80, 60, 1, 0x00, 0x80, 64, 1}},
        {"empty item in the middle is key 0", "60,,64", {0x00, 0x90, 60, 1, 0x00, 0x90, 0,  1,
                                                         0x00, 0x90, 64, 1, 0x60, 0x80, 60, 1,
                                                         0x00, 0x80, 0,  1, 0x00, 0x80, 64, 1}},
        {"leading comma is key 0",
         ",60",
         {0x00, 0x90, 0, 1, 0x00, 0x90, 60, 1, 0x60, 0x80, 0, 1, 0x00, 0x80, 60, 1}},
        {"items read like atol",
         " 64,65x",
         {0x00, 0x90, 64, 1, 0x00, 0x90, 65, 1, 0x60, 0x80, 64, 1, 0x00, 0x80, 65, 1}},
        {"no key writes nothing", "", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NoteList melody;
        melody.AddNote(row.keys, "32", "1");
        EXPECT_EQ(Hex(WrittenEvents(melody, true)), Hex(row.events));
    }
}

TEST(WriteMidiFile, EntriesPlayOneAfterTheOther) {
    NoteList melody;
    melody.AddNote("60", "16", "$40");  // the velocity text is read with StrToInt
    melody.AddNote("", "1", "100");     // writes nothing, so no stray delta joins the next one
    melody.AddNote("62,65", "T32", " 127");
    melody.AddNote("0", "D4", "0");
    const Bytes expected = {0x00, 0x90, 60, 0x40, 0x81, 0x00, 0x80, 60,  0x40,                 //
                            0x00, 0x90, 62, 127,  0x00, 0x90, 65,   127, 0x40, 0x80, 62, 127,  //
                            0x00, 0x80, 65, 127,                                               //
                            0x00, 0x90, 0,  0,    0x8A, 0x00, 0x80, 0,   0};
    EXPECT_EQ(Hex(WrittenEvents(melody, false)), Hex(expected));
    EXPECT_EQ(CountBytes(melody), static_cast<int64_t>(expected.size() + 4));
}

TEST(WriteMidiFile, BadEntryLeavesNoFileAndAnExistingFileUntouched) {
    const struct {
        const char* name;
        const char* keys;
        const char* velocity;
        const char* message;
    } rows[] = {
        {"velocity no integer", "60", "loud", "'loud' is not a valid integer value"},
        {"velocity with trailing blank", "60", "100 ", "'100 ' is not a valid integer value"},
        {"velocity empty", "60", "", "'' is not a valid integer value"},
        {"velocity too high", "60", "128",
         "Note entry 2 (keys \"60\", length \"4\", velocity \"128\"): velocity 128 is outside 0 "
         "to 127"},
        {"velocity negative", "60", "-1",
         "Note entry 2 (keys \"60\", length \"4\", velocity \"-1\"): velocity -1 is outside 0 to "
         "127"},
        {"key too high", "60,128", "100",
         "Note entry 2 (keys \"60,128\", length \"4\", velocity \"100\"): key \"128\" is outside "
         "0 to 127"},
        {"key negative", "-1", "100",
         "Note entry 2 (keys \"-1\", length \"4\", velocity \"100\"): key \"-1\" is outside 0 to "
         "127"},
        {"velocity checked even without keys", "", "x", "'x' is not a valid integer value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NoteList melody;
        melody.AddNote("60", "4", "100");
        melody.AddNote("62", "4", "100");
        melody.AddNote(row.keys, "4", row.velocity);

        TempDir dir;
        try {
            midi::WriteMidiFile(melody, dir.File("new.mid"), false);
            ADD_FAILURE() << "no error raised";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), row.message);
        }
        EXPECT_TRUE(dir.Names().empty()) << "left behind: " << dir.Names().front();

        midi_test::WriteText(dir.File("old.mid"), "old content");
        EXPECT_THROW(midi::WriteMidiFile(melody, dir.File("old.mid"), false), Exception);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"old.mid"});
        EXPECT_EQ(midi_test::ReadBytes(dir.File("old.mid")),
                  Bytes({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'}));
    }
}

TEST(WriteMidiFile, VelocityConversionErrorKeepsItsKind) {
    NoteList melody;
    melody.AddNote("60", "4", "loud");
    TempDir dir;
    EXPECT_THROW(midi::WriteMidiFile(melody, dir.File("x.mid"), false), EConvertError);
}

TEST(WriteMidiFile, FileThatCannotBeCreatedRaisesAClearError) {
    TempDir dir;
    const NoteList melody;
    const std::string path = dir.File("missing/folder.mid");
    try {
        midi::WriteMidiFile(melody, path, false);
        ADD_FAILURE() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot create file \"" + path + "\": No such file or directory");
    }

    // A folder in the way: the content is written, but cannot take the folder's place.
    std::filesystem::create_directory(dir.File("folder.mid"));
    EXPECT_THROW(midi::WriteMidiFile(melody, dir.File("folder.mid"), false), Exception);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder.mid"});
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.mid")));
}

TEST(WriteMidiFile, ReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.File("song.mid");
    midi_test::WriteText(path, std::string(500, 'x'));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    midi::WriteMidiFile(NoteList(), path, false);
    EXPECT_EQ(ReadBytes(path).size(), 70u);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"song.mid"});
}

TEST(WriteMidiFile, WritesThroughASymbolicLink) {
    TempDir dir;
    midi_test::WriteText(dir.File("real.mid"), "old");
    std::filesystem::create_symlink("real.mid", dir.File("link.mid"));
    midi::WriteMidiFile(NoteList(), dir.File("link.mid"), false);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.mid")));
    EXPECT_EQ(ReadBytes(dir.File("real.mid")).size(), 70u);
}

TEST(NoteOnEvent, WritesOneEntryAtTheStreamsPosition) {
    char* data = nullptr;
    size_t size = 0;
    std::FILE* stream = open_memstream(&data, &size);
    ASSERT_NE(stream, nullptr);
    std::fputc(0xEE, stream);
    // The velocity text is read like a key here; its low eight bits are written.
    midi::NoteOnEvent(stream, "P8", "60,300", "100x", true);
    midi::NoteOnEvent(stream, "P8", "1", "2", false);
    std::fclose(stream);
    const Bytes written(data, data + size);
    std::free(data);
    EXPECT_EQ(Hex(written),
              Hex({0xEE, 0x00, 0x90, 60,  100,  0x00, 0x90, 44, 100,  0x84, 0x40, 0x80, 60, 100,
                   0x00, 0x80, 44,   100, 0x00, 0x90, 1,    2,  0x84, 0x00, 0x80, 1,    2}));
}

}  // namespace
