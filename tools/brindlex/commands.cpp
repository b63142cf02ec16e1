#include "command.h"

// Each subcommand lives in a file of its own and is declared here.

using CommandRun = int(const std::vector<std::string>&, std::ostream&, std::ostream&);
CommandRun RunMidiCommand;        // midi_command.cpp
CommandRun RunHzCommand;          // midi_command.cpp
CommandRun RunInstrumentsCommand;  // midi_command.cpp
int RunIniCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"midi",
         "brindlex midi [--exact] IN.txt OUT.mid   write the melody of IN.txt (lines of keys, "
         "length and velocity: \"60,64 4 100\") as a MIDI file",
         RunMidiCommand},
        {"hz", "brindlex hz [--] KEY                     the frequency of a MIDI key in hertz",
         RunHzCommand},
        {"instruments", "brindlex instruments                     the 80 instrument names",
         RunInstrumentsCommand},
        {"ini",
         "brindlex ini FILE get KEY [FOLDER]        print the value (exit 1 when missing)\n"
         "brindlex ini FILE set KEY VALUE [FOLDER]  store the value and save the file\n"
         "brindlex ini FILE delete KEY [FOLDER]     remove the entry, save (exit 1 when missing)\n"
         "brindlex ini FILE list                    print FOLDER<TAB>KEY<TAB>VALUE per entry",
         RunIniCommand},
    };
    return commands;
}
