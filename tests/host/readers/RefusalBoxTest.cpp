// Every refusal as the user sees it: a file refused for that reason, the exact text of
// its box, the readers' caption, no icon, and the number the code has always had.
#include <gtest/gtest.h>

#include "host/readers/BmpFileSource.h"
#include "host/readers/ByteSource.h"
#include "host/readers/ReaderError.h"
#include "tests/host/readers/ReadOutcome.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/TiffBuilder.h"

using namespace readertest;

namespace {

constexpr char kCaption[] = "QuorvShell Message";

BmpLayout GrayBmp() {
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.colorTable = TestColorTable(256);
    s.pixelData = std::vector<std::uint8_t>(8, 1);
    return s;
}

std::vector<std::uint8_t> BmpWith(void (*change)(BmpLayout&)) {
    BmpLayout s = GrayBmp();
    change(s);
    return BuildBmp(s);
}

std::vector<std::uint8_t> TiffWith(void (*change)(TiffBuilder&)) {
    TiffBuilder t;
    change(t);
    return t.Build();
}

struct RefusalBox {
    const char* name;
    ReaderError error;
    int number;
    std::vector<std::uint8_t> file;
    const char* text;
};

class RefusalBoxes : public ::testing::TestWithParam<RefusalBox> {};

TEST_P(RefusalBoxes, ShowTheirTextInAPlainBoxWithTheReadersCaption) {
    const RefusalBox& c = GetParam();
    EXPECT_EQ(static_cast<int>(c.error), c.number);
    const ReadOutcome r = ReadMemory(c.file);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.error, c.error);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, c.text);
    EXPECT_EQ(r.shown[0].caption, kCaption);
    EXPECT_EQ(r.shown[0].icon, MessageIcon::None);
}

// clang-format off
const RefusalBox kBoxes[] = {
    {"UncommonTiffVersion", ReaderError::UncommonTiffVersion, 1,
     TiffWith([](TiffBuilder& t) { t.SetVersion(43); }),
     "This TIFF file is an uncommon version.\n The image cannot be opened."},
    {"UnsupportedBitsPerPixel", ReaderError::UnsupportedBitsPerPixel, 2,
     BmpWith([](BmpLayout& s) { s.bitCount = 16; }),
     "QuorvShell only supports 1, 4, 8, and 24 - bits-per-pixel images.\n This image cannot be opened."},
    {"UnsupportedCompression", ReaderError::UnsupportedCompression, 3,
     TiffWith([](TiffBuilder& t) { t.Short(256, 2); t.Short(257, 2); t.Short(258, 8); t.Short(259, 5); }),
     "This image uses a form of compression which is not supported by QuorvShell.\n The image cannot be opened."},
    {"DamagedFile", ReaderError::DamagedFile, 4,
     TiffWith([](TiffBuilder& t) { t.Short(256, 0); t.Short(257, 2); t.Short(258, 8); }),
     "This image file is damaged or truncated.\n The image cannot be opened."},
    {"ImageTooLarge", ReaderError::ImageTooLarge, 5,
     BmpWith([](BmpLayout& s) { s.width = 70000; }),
     "This image is too large for QuorvShell.\n The image cannot be opened."},
    {"UnsupportedBmpHeader", ReaderError::UnsupportedBmpHeader, 6,
     BmpWith([](BmpLayout& s) { s.headerSize = 12; }),
     "This BMP file uses an old header format which is not supported by QuorvShell.\n The image cannot be opened."},
    {"TiledTiff", ReaderError::TiledTiff, 7,
     TiffWith([](TiffBuilder& t) { t.Short(256, 2); t.Short(257, 2); t.Short(258, 8); t.Short(322, 16); t.Short(323, 16); t.Long(324, 8); }),
     "This TIFF file stores its image in tiles, which QuorvShell does not support.\n The image cannot be opened."},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EachCode, RefusalBoxes, ::testing::ValuesIn(kBoxes),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(RefusalBoxes, AnUnknownCodeGetsTheCatchAllText) {
    RecordingMessages messages;
    ShowReaderError(messages, static_cast<ReaderError>(99));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "QuorvMesh has encountered an unidentified error.");
    EXPECT_EQ(messages.shown[0].caption, kCaption);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

TEST(RefusalBoxes, ReportErrorShowsARefusalAgain) {
    const auto bytes = BmpWith([](BmpLayout& s) { s.bitCount = 32; });
    MemoryFile file(bytes);
    RecordingMessages messages;
    BmpFileSource source(file, messages);
    EXPECT_EQ(source.Error(), ReaderError::UnsupportedBitsPerPixel);
    source.ReportError();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, messages.shown[0].text);
}

TEST(RefusalBoxes, ATakenFileHasNoErrorAndShowsNothing) {
    const auto bytes = BuildBmp(GrayBmp());
    MemoryFile file(bytes);
    RecordingMessages messages;
    BmpFileSource source(file, messages);
    EXPECT_EQ(source.Error(), ReaderError::None);
    source.ReportError();
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
