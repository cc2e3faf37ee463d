// Pictures written by ImageMagick and libtiff's tools (the decoders' fuzzing seeds) are
// read; the truncated ones among them are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/pictures/PictureFiles.h"

using namespace picturetest;

namespace {

TEST(EncoderPictures, AreReadAndTheirTruncatedCopiesRefused) {
    const auto folder =
        std::filesystem::path(QM_SOURCE_DIR) / "fuzz/pictures/corpus/qm_fuzz_pictures";
    int read = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const Loaded loaded = Load(entry.path().string());
        if (name.rfind("truncated-", 0) == 0) {
            ASSERT_TRUE(loaded.failure);
            EXPECT_EQ(loaded.failure->exitCode, 2);
            ++refused;
            continue;
        }
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        EXPECT_EQ(loaded.picture.image->Width(), 9);
        EXPECT_EQ(loaded.picture.image->Height(), 5);
        const bool wide =
            name.find("16") != std::string::npos || name.find("float") != std::string::npos;
        EXPECT_EQ(loaded.picture.wide.has_value(), wide);
        // The gradient runs from yellow at the top to blue at the bottom.
        const auto gray = GrayOfImage(*loaded.picture.image);
        EXPECT_NE(gray.front(), gray.back());
        ++read;
    }
    EXPECT_GE(read, 15);
    EXPECT_EQ(refused, 3);
}

} // namespace
