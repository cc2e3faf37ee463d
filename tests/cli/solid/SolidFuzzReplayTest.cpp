// The solid and triangle path's fuzzing seeds and findings, run through the fuzzing step in
// every native build (also under the sanitizers): each file written, read back and held to
// the tool's promises.
#include <gtest/gtest.h>

#include "fuzz/solid/SolidFuzzing.h"
#include "tests/support/CorpusReplay.h"

// lib3mf's reader leaves a few of libzip's blocks behind; the leak checker of the sanitizer
// build is told so, and still checks everything of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libzip.so\n";
}

namespace {

TEST(SolidFuzzReplay, EverySeedAndFindingKeepsThePromises) {
    const int inputs =
        ReplayCorpus("fuzz/solid", "qm_fuzz_solid", [](const std::vector<std::uint8_t>& bytes) {
            return FuzzSolid(bytes.data(), bytes.size());
        });
    EXPECT_GE(inputs, 31);
    EXPECT_EQ(FuzzSolid(nullptr, 0), 0); // no input at all: a one-pixel picture
}

} // namespace
