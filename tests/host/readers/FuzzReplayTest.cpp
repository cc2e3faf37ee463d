// Replays the fuzzers' seed corpora as plain tests, so builds without libFuzzer (and
// sanitizer builds) run every seed through the same steps.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/readers/ReaderFuzzing.h"
#include "tests/support/ReaderTestSupport.h"

using namespace readertest;

namespace {

int ReplayFolder(const std::string& name, int (*step)(const std::uint8_t*, std::size_t)) {
    const std::filesystem::path folder =
        std::filesystem::path(QM_SOURCE_DIR) / "fuzz/readers/corpus" / name;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const auto bytes = ReadBytes(entry.path().string());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(step(bytes.data(), bytes.size()), 0);
        ++count;
    }
    return count;
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
