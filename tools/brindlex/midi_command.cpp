// brindlex midi, hz and instruments: the MIDI writer on the command line.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "command.h"
#include "core/exception.h"
#include "core/str_to_int.h"
#include "core/string_list.h"
#include "midi/bmidi.h"
#include "midi/midi_file_writer.h"

namespace {

constexpr int kUsageError = 2;

// The positional arguments and flags of a command line: "--" ends the options, so that a
// negative number or a file name starting with "-" can follow it. Before "--", a negative
// number is still taken as a value, since no option looks like one.
struct Arguments {
    std::vector<std::string> values;
    std::vector<std::string> options;
};

Arguments SplitArguments(const std::vector<std::string>& arguments) {
    Arguments split;
    bool options_ended = false;
    for (const std::string& argument : arguments) {
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && argument.size() > 1 && argument[0] == '-' &&
                   !TryStrToInt(argument)) {
            split.options.push_back(argument);
        } else {
            split.values.push_back(argument);
        }
    }
    return split;
}

// usage starts with "brindlex <name>", which also prefixes the problem.
int UsageError(std::ostream& err, const std::string& problem, const std::string& usage) {
    const std::string command = usage.substr(0, usage.find(' ', sizeof "brindlex"));
    err << command << ": " << problem << "\nUsage: " << usage << '\n';
    return kUsageError;
}

std::vector<std::string> SplitAtBlanks(const std::string& line) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos) return fields;
        const size_t end = line.find_first_of(" \t", at);
        fields.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return fields;
        at = end;
    }
}

// Reads the melody of a text file into the program's note list. Raises Exception naming the
// file and line of the first entry that could not be written.
int ReadMelody(const std::string& path, TBMidi& midi) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Exception("Cannot read file \"" + path + "\": " + std::strerror(errno));
    int entries = 0;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fields = SplitAtBlanks(line);
        if (fields.empty()) continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (fields.size() != 3) {
            throw Exception(where +
                            "expected keys, length and velocity separated by blanks, "
                            "such as \"60,64 4 100\"");
        }
        try {
            (void)midi::CheckNoteEntry(fields[0], fields[2]);
        } catch (const Exception& problem) {
            throw Exception(where + problem.Message());
        }
        midi.AddNote(fields[0], fields[1], fields[2]);
        ++entries;
    }
    if (in.bad()) throw Exception("Cannot read file \"" + path + "\": " + std::strerror(errno));
    return entries;
}

const char kMidiUsage[] = "brindlex midi [--exact] IN.txt OUT.mid";
const char kHzUsage[] = "brindlex hz [--] KEY";
const char kInstrumentsUsage[] = "brindlex instruments";

}  // namespace

int RunMidiCommand(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
    const Arguments split = SplitArguments(arguments);
    bool exact = false;
    for (const std::string& option : split.options) {
        if (option != "--exact") return UsageError(err, "Unknown option " + option, kMidiUsage);
        exact = true;
    }
    if (split.values.size() != 2) {
        return UsageError(err, "Expected an input and an output file", kMidiUsage);
    }
    TBMidi midi(nullptr);
    midi.ClearNotes();
    midi.ExactTiming = exact;
    const int entries = ReadMelody(split.values[0], midi);
    midi.WriteMidiFile(split.values[1]);
    out << split.values[1] << ": " << entries << (entries == 1 ? " entry" : " entries") << ", "
        << 14 + 27 + 8 + midi.CountBytes() + 17 << " bytes\n";
    midi.ClearNotes();
    return 0;
}

int RunHzCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const Arguments split = SplitArguments(arguments);
    if (!split.options.empty()) {
        return UsageError(err, "Unknown option " + split.options.front(), kHzUsage);
    }
    if (split.values.size() != 1) return UsageError(err, "Expected one key", kHzUsage);
    const TBMidi midi(nullptr);
    out << midi.GetHz(StrToInt(split.values[0])) << '\n';
    return 0;
}

int RunInstrumentsCommand(const std::vector<std::string>& arguments, std::ostream& out,
                          std::ostream& err) {
    if (!arguments.empty()) return UsageError(err, "Expected no arguments", kInstrumentsUsage);
    const TBMidi midi(nullptr);
    TStringList names;
    midi.FillInstrumentList(names);
    for (const std::string& name : names.Lines()) out << name << '\n';
    return 0;
}
