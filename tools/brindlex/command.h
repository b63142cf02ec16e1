#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// One subcommand of the brindlex tool. run receives the arguments after the subcommand's
// name, writes results to out and problems to err, and returns the process's exit status
// (0 success; what other values mean is the subcommand's own, stated in its usage).
struct Command {
    const char* name;
    const char* usage;  // one or more lines, each starting with "brindlex <name>"
    int (*run)(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
};

// The table of every subcommand, in the order that --help lists them (commands.cpp).
const std::vector<Command>& Commands();
