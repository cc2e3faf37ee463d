// The settings pipeline fuzz target's seed corpus, run as a plain test (also under the
// sanitizers): hostile settings through the mesh, the preview and every writer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/settings/SettingsPipelineFuzzing.h"

namespace {

TEST(SettingsPipelineFuzzReplay, EverySeedRunsThroughMeshPreviewAndWriters) {
    const std::filesystem::path corpus =
        std::filesystem::path(QM_SOURCE_DIR) / "fuzz/settings/corpus/qm_fuzz_settings_pipeline";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(FuzzSettingsPipeline(bytes.data(), bytes.size()), 0);
        ++seeds;
    }
    EXPECT_GE(seeds, 12);
    // No input at all: the defaults on a one-pixel picture.
    EXPECT_EQ(FuzzSettingsPipeline(nullptr, 0), 0);
}

} // namespace
