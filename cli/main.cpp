// quorvmesh: a grayscale picture in, a 3D mesh file out, without a window.
#include <iostream>
#include <unistd.h>

#include "plugin/export/StdioOutputFile.h"
#include "tool/RunQuorvmesh.h"

int main(int argc, char** argv) {
    CliOptions options;
    if (auto exitCode = ParseCommandLine({argv, argv + argc}, options, std::cout, std::cerr))
        return *exitCode;
    // An interrupted run leaves no half-written file behind.
    StdioOutputFile::RemoveTemporaryFilesOnSignal();
    CliConsole console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    return RunQuorvmesh(options, console);
}
