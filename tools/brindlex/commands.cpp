#include "command.h"

// Each subcommand lives in a file of its own and is declared here.

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
    };
    return commands;
}
