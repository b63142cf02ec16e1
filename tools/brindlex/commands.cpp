#include "command.h"

// Each subcommand lives in a file of its own and is declared here.

using CommandRun = int(const std::vector<std::string>&, std::ostream&, std::ostream&);
CommandRun RunMidiCommand;        // midi_command.cpp
CommandRun RunHzCommand;          // midi_command.cpp
CommandRun RunInstrumentsCommand;  // midi_command.cpp
int RunIniCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
CommandRun RunRegCommand;  // reg_command.cpp
CommandRun RunEvalCommand;  // eval_command.cpp

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
        {"reg",
         "brindlex reg query KEY [/v NAME | /ve] [/s]   print the values (NAME  TYPE  DATA) and sub-keys\n"
         "brindlex reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_EXPAND_SZ|REG_DWORD|REG_BINARY] [/d DATA] [/f]\n"
         "brindlex reg delete KEY [/v NAME | /ve | /va] [/f]  delete a key with its sub-keys, or values\n"
         "brindlex reg export KEY FILE [/y]   write KEY and everything below it as a .reg file\n"
         "brindlex reg import FILE            apply a .reg file (KEY starts with HKCU or HKEY_CURRENT_USER)",
         RunRegCommand},
        {"eval",
         "brindlex eval [--precision N] [--decimal-symbol S] [--convert-all] [--x V] [--a V] [--b V]\n"
         "              [--c V] [--d V] [--] EXPR...   print the value of each expression (exit 1 on\n"
         "              an evaluation error, 2 when an expression is not well-formed)",
         RunEvalCommand},
    };
    return commands;
}
