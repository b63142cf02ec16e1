// Every melody the writer produces is read back by two independent readers: midicsv for the
// events and their times, mido for the chunk structure and the playing time.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "midi/midi_file_writer.h"
#include "midi/note_list.h"
#include "test_support.h"

namespace {

struct Entry {
    const char* keys;
    const char* length;
    int velocity;
};

// Ticks of each code used below, at 768 per quarter note, in each timing mode.
const std::map<std::string, int> kExactTicks = {{"4", 768},   {"16", 192},   {"32", 96},
                                                {"D4", 1344}, {"T8", 256},   {"P16", 288},
                                                {"T32", 64},  {"xyz", 3072}, {"1", 3072}};
const std::map<std::string, int> kCoarseTicks = {{"4", 768},   {"16", 128},   {"32", 96},
                                                 {"D4", 1280}, {"T8", 256},   {"P16", 256},
                                                 {"T32", 64},  {"xyz", 3072}, {"1", 3072}};

const std::vector<Entry> kMelody = {
    {"60", "4", 100},  {"60,64,67", "16", 90}, {"", "1", 50},
    {"72", "32", 127}, {"0,127", "D4", 0},     {"65", "T8", 64},
    {"67", "P16", 80}, {"69,", "xyz", 1},      {"71", "T32", 2},
};

std::vector<std::string> Keys(const std::string& text) {
    std::vector<std::string> keys;
    std::stringstream in(text);
    for (std::string key; std::getline(in, key, ',');) keys.push_back(key);
    return keys;
}

std::string ExpectedCsv(const std::vector<Entry>& melody, const std::map<std::string, int>& ticks) {
    std::ostringstream csv;
    csv << "0, 0, Header, 1, 3, 768\n"
           "1, 0, Start_track\n"
           "1, 0, Time_signature, 4, 2, 24, 8\n"
           "1, 0, Tempo, 500000\n"
           "1, 0, End_track\n"
           "2, 0, Start_track\n";
    long time = 0;
    for (const Entry& entry : melody) {
        const auto keys = Keys(entry.keys);
        if (keys.empty()) continue;
        for (const auto& key : keys) {
            csv << "2, " << time << ", Note_on_c, 0, " << key << ", " << entry.velocity << "\n";
        }
        time += ticks.at(entry.length);
        for (const auto& key : keys) {
            csv << "2, " << time << ", Note_off_c, 0, " << key << ", " << entry.velocity << "\n";
        }
    }
    csv << "2, " << time << ", End_track\n"
        << "3, 0, Start_track\n"
           "3, 0, Channel_prefix, 1\n"
           "3, 0, End_track\n"
           "0, 0, End_of_file\n";
    return csv.str();
}

std::string ExpectedStructure(const std::vector<Entry>& melody,
                              const std::map<std::string, int>& ticks) {
    int messages = 1;
    long total = 0;
    for (const Entry& entry : melody) {
        const auto keys = Keys(entry.keys);
        if (keys.empty()) continue;
        messages += 2 * static_cast<int>(keys.size());
        total += ticks.at(entry.length);
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.6f", total / 1536.0);  // 2 quarter notes a second
    std::ostringstream out;
    out << "type=1 ticks_per_beat=768 tracks=3 seconds=" << seconds << "\n"
        << "track 0: messages=3 ticks=0 end_of_track=1 last=end_of_track\n"
        << "track 1: messages=" << messages << " ticks=" << total
        << " end_of_track=1 last=end_of_track\n"
        << "track 2: messages=2 ticks=0 end_of_track=1 last=end_of_track\n";
    return out.str();
}

class MidiReaders : public ::testing::TestWithParam<bool> {};

TEST_P(MidiReaders, ReadBackEveryMelody) {
    const bool exact = GetParam();
    const auto& ticks = exact ? kExactTicks : kCoarseTicks;
    const std::vector<std::pair<const char*, std::vector<Entry>>> melodies = {
        {"empty", {}},
        {"one chord", {{"60,64", "4", 100}}},
        {"mixed lengths, chords and a keyless entry", kMelody},
    };
    midi_test::TempDir dir;
    for (const auto& [name, entries] : melodies) {
        SCOPED_TRACE(name);
        midi::NoteList melody;
        for (const Entry& entry : entries) {
            melody.AddNote(entry.keys, entry.length, std::to_string(entry.velocity));
        }
        const std::string path = dir.File("melody.mid");
        midi::WriteMidiFile(melody, path, exact);

        const auto csv = midi_test::RunCommand("/usr/bin/midicsv '" + path + "' 2>&1");
        EXPECT_EQ(csv.status, 0);
        EXPECT_EQ(csv.text, ExpectedCsv(entries, ticks));

        const auto structure =
            midi_test::RunCommand("/usr/bin/python3 " MIDI_STRUCTURE_SCRIPT " '" + path + "' 2>&1");
        EXPECT_EQ(structure.status, 0);
        EXPECT_EQ(structure.text, ExpectedStructure(entries, ticks));
    }
}

INSTANTIATE_TEST_SUITE_P(BothTimings, MidiReaders, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Exact" : "Coarse"; });

}  // namespace
