// The progress bar: drawn only for a terminal, redrawn only when the percentage changes.
#include <gtest/gtest.h>

#include <sstream>

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

} // namespace
