#pragma once
// Runs a fuzz target's seed corpus and its findings as a plain test, so that builds without
// libFuzzer (and the sanitizer builds) put every seed and every input a fuzzing run once
// failed on through the same step.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"

// Calls step(bytes) for every file of the target's seeds, <part>/corpus/<target>/, and of its
// findings, <part>/findings/<target>/ when there are any (part from the top of the tree, e.g.
// "fuzz/readers"), and expects 0 from each; returns how many there were.
template <class Step>
int ReplayCorpus(const std::string& part, const std::string& target, Step step) {
    int inputs = 0;
    const std::filesystem::path top = std::filesystem::path(QM_SOURCE_DIR) / part;
    for (const char* kind : {"corpus", "findings"}) {
        const std::filesystem::path folder = top / kind / target;
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::vector<std::uint8_t> bytes = ReadBytes(entry.path().string());
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(step(bytes), 0);
            ++inputs;
        }
    }
    return inputs;
}
