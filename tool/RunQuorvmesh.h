#pragma once
// One run of the tool, step by step; main only parses the command line and calls this.
// The first step refuses an output (-o, --preview, --save-settings) that is the same file
// as the picture, the settings file or the INI file being read (exit code 1).

#include <iosfwd>

#include "common/ProgressSink.h"
#include "tool/CliOptions.h"
#include "toolbase/FreeSpace.h"

struct CliConsole {
    std::ostream& out; // statistics
    std::ostream& err; // messages, and the progress bar when it is a terminal and not -q
    bool errIsTerminal;
    // What the outputs' file systems have free; tests give their own figures.
    FreeSpaceQuery freeSpace = FileSystemFreeBytes;
    // When set, the steps that write the mesh file report how far they are here (the done
    // and total the bar would show), and no bar is drawn on err.
    ProgressSink* progress = nullptr;
};

// Returns the exit code; a failure has printed its one line to console.err.
int RunQuorvmesh(const CliOptions& options, CliConsole& console);
