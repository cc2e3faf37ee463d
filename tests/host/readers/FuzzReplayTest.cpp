// Replays the fuzzers' seed corpora as plain tests, so builds without libFuzzer (and
// sanitizer builds) run every seed through the same steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/readers/ReaderFuzzing.h"
#include "tests/support/CorpusReplay.h"

namespace {

int ReplayFolder(const std::string& name, int (*step)(const std::uint8_t*, std::size_t)) {
    return ReplayCorpus("fuzz/readers", name, [step](const std::vector<std::uint8_t>& bytes) {
        return step(bytes.data(), bytes.size());
    });
}

TEST(FuzzReplay, BmpSeeds) {
    EXPECT_GT(ReplayFolder("qm_fuzz_bmp", FuzzBmpReaders), 5);
}

TEST(FuzzReplay, TiffSeeds) {
    EXPECT_GT(ReplayFolder("qm_fuzz_tiff", FuzzTiffReader), 5);
}

TEST(FuzzReplay, PaletteScreenSeeds) {
    EXPECT_GT(ReplayFolder("qm_fuzz_palette_screen", FuzzPaletteScreen), 5);
}

} // namespace
