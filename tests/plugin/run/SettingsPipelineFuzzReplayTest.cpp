// The settings pipeline fuzz target's seed corpus, run as a plain test (also under the
// sanitizers): hostile settings through the mesh, the preview and every writer.

#include <gtest/gtest.h>

#include <vector>

#include "fuzz/settings/SettingsPipelineFuzzing.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(SettingsPipelineFuzzReplay, EverySeedRunsThroughMeshPreviewAndWriters) {
    const int seeds = ReplayCorpus("fuzz/settings", "qm_fuzz_settings_pipeline",
                                   [](const std::vector<std::uint8_t>& bytes) {
                                       return FuzzSettingsPipeline(bytes.data(), bytes.size());
                                   });
    EXPECT_GE(seeds, 12);
    // No input at all: the defaults on a one-pixel picture.
    EXPECT_EQ(FuzzSettingsPipeline(nullptr, 0), 0);
}

} // namespace
