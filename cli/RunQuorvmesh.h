#pragma once
// One run of the tool, step by step; main only parses the command line and calls this.

#include <iosfwd>

#include "cli/CliOptions.h"

struct CliConsole {
    std::ostream& out; // statistics
    std::ostream& err; // messages, and the progress bar when it is a terminal
    bool errIsTerminal;
};

// Returns the exit code; a failure has printed its one line to console.err.
int RunQuorvmesh(const CliOptions& options, CliConsole& console);
