// brindlex: runs one subcommand of the component library from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: brindlex <command> [arguments...]\n\nCommands:\n";
    for (const Command& command : Commands()) out << command.usage << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    for (const Command& command : Commands()) {
        if (name == command.name) {
            const std::vector<std::string> arguments(argv + 2, argv + argc);
            try {
                return command.run(arguments, std::cout, std::cerr);
            } catch (const std::exception& failure) {
                std::cerr << "brindlex " << name << ": " << failure.what() << '\n';
                return 1;
            }
        }
    }
    std::cerr << "brindlex: unknown command '" << name << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
}
