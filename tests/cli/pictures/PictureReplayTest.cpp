// The picture decoders' fuzzing seeds and findings, run through the fuzzing step in every
// native build.
#include <gtest/gtest.h>

#include "fuzz/pictures/PictureFuzzing.h"
#include "tests/support/CorpusReplay.h"

namespace {

TEST(PictureFuzzReplay, EverySeedAndFindingPassesTheDecoders) {
    const int seeds = ReplayCorpus("fuzz/pictures", "qm_fuzz_pictures",
                                   [](const std::vector<std::uint8_t>& bytes) {
                                       return FuzzPictureDecoders(bytes.data(), bytes.size());
                                   });
    EXPECT_GE(seeds, 19);
}

} // namespace
