#include "tests/win32/support/TestTally.h"

#include <cstdio>

void TestTally::Check(bool ok, const std::string& what, const char* file, int line) {
    if (ok) {
        ++passed_;
        return;
    }
    ++failed_;
    std::printf("%s:%d: check failed: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

int TestTally::Finish() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ == 0 && passed_ > 0 ? 0 : 1;
}

TestTally& Tally() {
    static TestTally tally;
    return tally;
}
