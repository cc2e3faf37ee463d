// The settings fuzz target's seed corpus, run as a plain test (also under the sanitizers).

#include <gtest/gtest.h>

#include <vector>

#include "fuzz/settings/SettingsFuzzing.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(SettingsFuzzReplay, EverySeedRunsThroughTheCodecs) {
    const int seeds = ReplayCorpus("fuzz/settings", "qm_fuzz_settings",
                                   [](const std::vector<std::uint8_t>& bytes) {
                                       // Every prefix too: the codecs see each truncation.
                                       for (std::size_t size = 0; size < bytes.size(); ++size)
                                           FuzzSettings(bytes.data(), size);
                                       return FuzzSettings(bytes.data(), bytes.size());
                                   });
    EXPECT_GE(seeds, 9);
}

} // namespace
