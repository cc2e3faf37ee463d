// The page's entry into the tool: one run of the command line's options, on files the page
// has put into the module's file system, with progress handed to the page as it comes.
#include <emscripten/emscripten.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/ProgressSink.h"
#include "tool/RunQuorvmesh.h"

namespace {

EM_JS(void, ReportToPage, (int done, int total), {
    if (Module.onProgress)
        Module.onProgress(done, total);
});

class PageProgress final : public ProgressSink {
  public:
    void Report(std::int32_t done, std::int32_t total) override { ReportToPage(done, total); }
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

// arguments: the command line, one argument per line, the program's name first. Returns the
// tool's exit code; statistics go to standard output, messages to standard error.
extern "C" EMSCRIPTEN_KEEPALIVE int RunTool(const char* arguments) {
    CliOptions options;
    int exitCode = 0;
    if (auto parsed = ParseCommandLine(SplitLines(arguments), options, std::cout, std::cerr)) {
        exitCode = *parsed;
    } else {
        PageProgress progress;
        CliConsole console{std::cout, std::cerr, false};
        console.progress = &progress;
        exitCode = RunQuorvmesh(options, console);
    }
    std::cout.flush();
    std::cerr.flush();
    return exitCode;
}
