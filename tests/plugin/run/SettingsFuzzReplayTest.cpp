// The settings fuzz target's seed corpus, run as a plain test (also under the sanitizers).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/settings/SettingsFuzzing.h"

namespace {

TEST(SettingsFuzzReplay, EverySeedRunsThroughTheCodecs) {
    const std::filesystem::path corpus =
        std::filesystem::path(QM_SOURCE_DIR) / "fuzz/settings/corpus/qm_fuzz_settings";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(FuzzSettings(bytes.data(), bytes.size()), 0);
        // Every prefix too: the codecs see each truncation of each seed.
        for (std::size_t size = 0; size < bytes.size(); ++size)
            FuzzSettings(bytes.data(), size);
        ++seeds;
    }
    EXPECT_GE(seeds, 9);
}

} // namespace
