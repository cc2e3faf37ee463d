#pragma once
// Runs a fuzz target's seed corpus as a plain test, so that builds without libFuzzer (and
// the sanitizer builds) put every seed through the same step.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"

// Calls step(bytes) for every file of the corpus folder (from the top of the tree, e.g.
// "fuzz/readers/corpus/qm_fuzz_bmp") and expects 0 from each; returns how many there were.
template <class Step> int ReplayCorpus(const std::string& folder, Step step) {
    int seeds = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QM_SOURCE_DIR) / folder)) {
        const std::vector<std::uint8_t> bytes = ReadBytes(entry.path().string());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(step(bytes), 0);
        ++seeds;
    }
    return seeds;
}
