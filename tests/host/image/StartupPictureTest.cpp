// The start-up picture: its embedded bytes, how it reads, and that the committed file is
// what its generator makes.
#include <gtest/gtest.h>

#include "common/EmbeddedResources.h"
#include "host/image/HostImage.h"
#include "host/readers/BmpResourceSource.h"
#include "tests/support/ReaderTestSupport.h"

using namespace readertest;

namespace {

TEST(StartupPicture, IsA208By120GrayImage) {
    EmbeddedResources resources;
    const auto logo = resources.Find("Logo");
    ASSERT_FALSE(logo.empty());
    BmpResourceSource source(logo);
    ASSERT_TRUE(source.IsValid());
    HostImage image(source, 24);
    ASSERT_FALSE(image.Failed());
    EXPECT_EQ(image.Width(), 208);
    EXPECT_EQ(image.Height(), 120);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_TRUE(image.IsGray());
    // Stored top row first: the first stored row is the top row, part of the frame.
    EXPECT_EQ(image.Bits()[0], logo[14 + 40 + 1024]);
    const std::uint8_t* top = image.Bits() + 2 * image.Stride();
    EXPECT_EQ(top[100], 200);
}

TEST(StartupPicture, RowsBandCopiesStoredRows) {
    EmbeddedResources resources;
    const auto logo = resources.Find("Logo");
    BmpResourceSource source(logo);
    std::vector<std::uint8_t> band(3 * 208);
    source.ReadRows(band.data(), 60, 3);
    EXPECT_TRUE(std::equal(band.begin(), band.end(), logo.begin() + 1078 + 60 * 208));
}

TEST(StartupPicture, CommittedFileIsTheGeneratorsOutput) {
    if (!ToolExists("/usr/bin/python3"))
        GTEST_SKIP() << "python3 missing";
    TempFolder dir;
    const std::string source = QM_SOURCE_DIR;
    ASSERT_EQ(RunCommand("/usr/bin/python3 " + source + "/host/resources/make_logo.py '" +
                         dir.File("Logo.bmp") + "'"),
              0);
    EXPECT_EQ(ReadBytes(dir.File("Logo.bmp")), ReadBytes(source + "/host/resources/Logo.bmp"));
}

TEST(StartupPicture, ResourceWithAnotherHeaderSizeGivesNothing) {
    EmbeddedResources resources;
    const auto logo = resources.Find("Logo");
    std::vector<std::uint8_t> copy(logo.begin(), logo.end());
    copy[14] = 108;
    BmpResourceSource source(copy);
    EXPECT_FALSE(source.IsValid());
    EXPECT_EQ(source.Error(), ReaderError::UnsupportedBmpHeader);
    EXPECT_EQ(source.Width(), 0);
    std::vector<std::uint8_t> buffer(16, 0);
    source.ReadAll(buffer.data());
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(16, 0));
}

} // namespace
