#include "midi_file_writer.h"

#include <limits>

#include "core/exception.h"
#include "core/str_to_int.h"
#include "note_list.h"
#include "note_text.h"
#include "replacement_file.h"

namespace midi {

namespace {

constexpr uint8_t kHeaderChunk[] = {
    'M',  'T',  'h', 'd', 0x00, 0x00, 0x00, 0x06,  // chunk length 6
    0x00, 0x01,                                    // format 1: tracks played together
    0x00, 0x03,                                    // three tracks
    0x03, 0x00,                                    // 768 ticks per quarter note
};

constexpr uint8_t kConductorTrack[] = {
    'M',  'T',  'r',  'k',  0x00, 0x00, 0x00, 0x13, 0x00,
    0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  // 4/4, 24 clocks per click, 8 32nds per quarter
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 microseconds per quarter note
    0x00, 0xFF, 0x2F, 0x00,                    // end of track
};

constexpr uint8_t kTrackType[] = {'M', 'T', 'r', 'k'};

constexpr uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};

constexpr uint8_t kChannelPrefixTrack[] = {
    'M',  'T',  'r',  'k',  0x00, 0x00, 0x00,
    0x09, 0x00, 0xFF, 0x20, 0x01, 0x01,  // MIDI channel prefix: channel 1
    0x00, 0xFF, 0x2F, 0x00,              // end of track
};

template <size_t N>
void Write(std::FILE* stream, const uint8_t (&bytes)[N]) {
    std::fwrite(bytes, 1, N, stream);
}

// The events of one entry. The caller holds the stream's lock, so single bytes go straight
// into its buffer.
void WriteEntry(std::FILE* stream, const NoteLength& length, std::string_view keys,
                uint8_t velocity, bool exact_timing) {
    ForEachKeyItem(keys, [&](std::string_view item) {
        putc_unlocked(0x00, stream);
        putc_unlocked(0x90, stream);
        putc_unlocked(static_cast<uint8_t>(ReadKey(item)), stream);
        putc_unlocked(velocity, stream);
    });
    bool first = true;
    ForEachKeyItem(keys, [&](std::string_view item) {
        // The first note-off carries the entry's length; the others follow it at delta 0.
        if (first) {
            putc_unlocked(length.delta[0], stream);
            if (length.delta_size == 2) putc_unlocked(exact_timing ? length.delta[1] : 0, stream);
            first = false;
        } else {
            putc_unlocked(0x00, stream);
        }
        putc_unlocked(0x80, stream);
        putc_unlocked(static_cast<uint8_t>(ReadKey(item)), stream);
        putc_unlocked(velocity, stream);
    });
}

int64_t EntryBytes(std::string_view length, std::string_view keys) {
    const int items = CountKeyItems(keys);
    if (items == 0) return 0;
    return 8 * static_cast<int64_t>(items) - 1 + LookUpLength(length).delta_size;
}

void WriteBigEndian32(std::FILE* stream, uint32_t value) {
    const uint8_t bytes[] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                             static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    Write(stream, bytes);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

int64_t CountBytes(const NoteList& melody) {
    int64_t bytes = sizeof kEndOfTrack;
    for (int i = 0; i < melody.Count(); ++i) bytes += EntryBytes(melody.Length(i), melody.Keys(i));
    return bytes;
}

void NoteOnEvent(std::FILE* stream, std::string_view length, std::string_view keys,
                 std::string_view velocity, bool exact_timing) {
    flockfile(stream);
    WriteEntry(stream, LookUpLength(length), keys, static_cast<uint8_t>(ReadKey(velocity)),
               exact_timing);
    funlockfile(stream);
}

int CheckNoteEntry(std::string_view keys, const std::string& velocity) {
    const int32_t value = StrToInt(velocity);
    if (value < 0 || value > 127) {
        throw Exception("velocity " + std::to_string(value) + " is outside 0 to 127");
    }
    ForEachKeyItem(keys, [](std::string_view item) {
        const int64_t key = ReadKey(item);
        if (key < 0 || key > 127) throw Exception("key " + Quoted(item) + " is outside 0 to 127");
    });
    return value;
}

void WriteMidiFile(const NoteList& melody, const std::string& file_name, bool exact_timing) {
    // Everything is checked before the file is touched: a bad entry must not cost the caller
    // the file that is there.
    int64_t track_bytes = sizeof kEndOfTrack;
    for (int i = 0; i < melody.Count(); ++i) {
        try {
            (void)CheckNoteEntry(melody.Keys(i), melody.Velocity(i));
        } catch (const EConvertError&) {
            throw;
        } catch (const Exception& problem) {
            throw Exception("Note entry " + std::to_string(i) + " (keys " + Quoted(melody.Keys(i)) +
                            ", length " + Quoted(melody.Length(i)) + ", velocity " +
                            Quoted(melody.Velocity(i)) + "): " + problem.Message());
        }
        track_bytes += EntryBytes(melody.Length(i), melody.Keys(i));
    }
    if (track_bytes > std::numeric_limits<uint32_t>::max()) {
        throw Exception("The melody is too long for a MIDI file (" + std::to_string(track_bytes) +
                        " bytes in the note track)");
    }

    ReplacementFile file(file_name);
    std::FILE* stream = file.Stream();
    Write(stream, kHeaderChunk);
    Write(stream, kConductorTrack);
    Write(stream, kTrackType);
    WriteBigEndian32(stream, static_cast<uint32_t>(track_bytes));
    flockfile(stream);
    for (int i = 0; i < melody.Count(); ++i) {
        const auto velocity = static_cast<uint8_t>(*TryStrToInt(melody.Velocity(i)));
        WriteEntry(stream, LookUpLength(melody.Length(i)), melody.Keys(i), velocity, exact_timing);
    }
    funlockfile(stream);
    Write(stream, kEndOfTrack);
    Write(stream, kChannelPrefixTrack);
    file.Commit();
}

}  // namespace midi
