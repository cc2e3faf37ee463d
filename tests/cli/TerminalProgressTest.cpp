// The progress bar: drawn only for a terminal, redrawn only when the percentage changes;
// a front end's own sink gets the same reports instead.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/Recorders.h"
#include "tool/RunQuorvmesh.h"
#include "tool/TerminalProgress.h"

namespace {

TEST(TerminalProgress, NothingWhenNotATerminal) {
    std::ostringstream stream;
    {
        TerminalProgress progress(stream, false);
        for (int i = 0; i <= 10; ++i)
            progress.Report(i, 10);
    }
    EXPECT_TRUE(stream.str().empty());
}

TEST(TerminalProgress, OneRedrawPerPercentAndAClosingNewline) {
    std::ostringstream stream;
    {
        TerminalProgress progress(stream, true);
        for (int i = 0; i <= 1000; ++i)
            progress.Report(i, 1000);
        progress.Report(5, 0); // no total: ignored
    }
    const std::string text = stream.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 101);
    EXPECT_NE(text.find("] 100%"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST(TerminalProgress, ASinkOfTheRunGetsTheWritingInsteadOfTheBar) {
    TempFolder dir;
    clitest::WriteGrayBmp(dir.File("in.bmp"), 90, 70, clitest::GrayPattern(90, 70));
    // Two of the plug-in's formats, and a triangle format.
    for (const std::string output : {"a.cob", "b.dxf", "c.stl"}) {
        CliOptions options;
        std::ostringstream out, err;
        ASSERT_FALSE(ParseCommandLine({"quorvmesh", dir.File("in.bmp"), "-o", dir.File(output)},
                                      options, out, err))
            << err.str();
        RecordingProgress progress;
        CliConsole console{out, err, true};
        console.progress = &progress;
        ASSERT_EQ(RunQuorvmesh(options, console), kExitOk) << err.str();
        EXPECT_EQ(err.str(), "") << output; // a terminal, yet no bar
        const auto& calls = progress.calls;
        ASSERT_FALSE(calls.empty()) << output;
        for (std::size_t i = 1; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].second, calls[0].second) << output;
            EXPECT_GE(calls[i].first, calls[i - 1].first) << output;
        }
        EXPECT_GT(calls[0].second, 0) << output;
        EXPECT_EQ(calls.back().first, calls.back().second) << output;
    }
}

} // namespace
