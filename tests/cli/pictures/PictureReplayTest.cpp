// The picture decoders' fuzzing seeds, run through the fuzzing step in every native build.
#include <gtest/gtest.h>

#include "fuzz/pictures/PictureFuzzing.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(PictureFuzzReplay, EverySeedPassesTheDecoders) {
    const int seeds = ReplayCorpus("fuzz/pictures/corpus/qm_fuzz_pictures",
                                   [](const std::vector<std::uint8_t>& bytes) {
                                       return FuzzPictureDecoders(bytes.data(), bytes.size());
                                   });
    EXPECT_GE(seeds, 18);
}

} // namespace
