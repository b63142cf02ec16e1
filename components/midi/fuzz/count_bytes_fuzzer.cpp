// Random melodies of random note texts and length codes: CountBytes must always equal the
// bytes the events take, and a written file must be exactly as long as its chunks say, or
// not be written at all.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/exception.h"
#include "midi/midi_file_writer.h"
#include "midi/note_list.h"

namespace {

const char* const kCodes[] = {"1",  "2",   "4",   "8",  "16",  "32",  "T1", "T2",  "T4",
                              "T8", "T16", "T32", "P1", "P2",  "P4",  "P8", "P16", "P32",
                              "D1", "D2",  "D4",  "D8", "D16", "D32", "3",  "t8",  ""};

std::string Length(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) return data.ConsumeRandomLengthString(4);
    return kCodes[data.ConsumeIntegralInRange<size_t>(0, std::size(kCodes) - 1)];
}

std::string Velocity(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) return data.ConsumeRandomLengthString(6);
    return std::to_string(data.ConsumeIntegralInRange<int>(-2, 130));
}

std::vector<unsigned char> Events(const midi::NoteList& melody, bool exact) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr) std::abort();
    for (int i = 0; i < melody.Count(); ++i) {
        midi::NoteOnEvent(stream, melody.Length(i), melody.Keys(i), melody.Velocity(i), exact);
    }
    std::fclose(stream);
    std::vector<unsigned char> events(buffer, buffer + size);
    std::free(buffer);
    return events;
}

uint32_t BigEndian32(const std::vector<unsigned char>& bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    midi::NoteList melody;
    const int entries = data.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < entries; ++i) {
        std::string keys = data.ConsumeRandomLengthString(24);
        std::string length = Length(data);
        melody.AddNote(keys, length, Velocity(data));
    }
    const bool exact = data.ConsumeBool();

    const int64_t counted = midi::CountBytes(melody);
    const auto events = Events(melody, exact);
    if (counted != static_cast<int64_t>(events.size()) + 4) std::abort();
    if (Events(melody, !exact).size() != events.size()) std::abort();

    // Writing the file touches the disk, so only every few inputs do it.
    if (data.ConsumeIntegralInRange<int>(0, 7) != 0) return 0;
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("brindlex-midi-fuzz-" + std::to_string(getpid()) + ".mid"))
                                        .string();
    std::filesystem::remove(path);
    bool written = true;
    try {
        midi::WriteMidiFile(melody, path, exact);
    } catch (const Exception&) {
        written = false;
    }
    const auto file = ReadFile(path);
    if (!written) {
        if (std::filesystem::exists(path)) std::abort();  // a failed write leaves no file
        return 0;
    }
    if (file.size() != 14 + 27 + 8 + static_cast<size_t>(counted) + 17) std::abort();
    if (BigEndian32(file, 41 + 4) != counted) std::abort();
    std::filesystem::remove(path);
    return 0;
}
