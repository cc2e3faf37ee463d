// Pictures the tool refuses or takes with a warning: its messages name what it reads,
// never the host program, and a truncated picture is never meshed without a word.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "pictures/LoadPicture.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/TiffBuilder.h"

using namespace clitest;

namespace {

TEST(PictureRefusals, AFileTooShortToKnowIsOfUnknownType) {
    TempFolder dir;
    WriteBytes(dir.File("short.png"), {0x89, 'P', 'N'});
    const auto r = RunTool({dir.File("short.png"), "-o", dir.File("a.dxf")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "quorvmesh: " + dir.File("short.png") + ": Not a recognizable file type\n");
}

TEST(PictureRefusals, NeverNameTheHostProgram) {
    for (int code = 1; code <= 8; ++code) {
        const std::string text(PictureRefusalText(static_cast<ReaderError>(code)));
        SCOPED_TRACE(text);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find("QuorvShell"), std::string::npos);
    }
}

TEST(PictureRefusals, SayWhatTheToolReads) {
    TempFolder dir;
    readertest::BmpLayout bmp16;
    bmp16.bitCount = 16;
    bmp16.pixelData = {0, 0, 0, 0};
    WriteBytes(dir.File("bmp16.bmp"), readertest::BuildBmp(bmp16));
    readertest::BmpLayout jpeg;
    jpeg.bitCount = 24;
    jpeg.compression = 4; // a JPEG inside the BMP
    jpeg.pixelData = {0xFF, 0xD8, 0xFF, 0xD9};
    WriteBytes(dir.File("jpeg.bmp"), readertest::BuildBmp(jpeg));
    // Tiles without their offsets: neither the host's reader nor libtiff takes it.
    readertest::TiffBuilder tiled;
    tiled.Short(256, 32);
    tiled.Short(257, 32);
    tiled.Short(258, 8);
    tiled.Short(322, 16);
    tiled.Short(323, 16);
    tiled.Long(324, 8);
    WriteBytes(dir.File("tiled.tif"), tiled.Build());
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"bmp16.bmp", "quorvmesh only supports 1, 4, 8 and 24 bits-per-pixel images. This image "
                      "cannot be opened."},
        {"jpeg.bmp", "This image uses a form of compression which is not supported by quorvmesh "
                     "(BMP: none, RLE8 or RLE4). The image cannot be opened."},
        {"tiled.tif", "the TIFF file is damaged or truncated (TIFF directory is missing required "
                      "\"StripByteCounts\" field)"},
    };
    for (const auto& c : cases) {
        const auto r = RunTool({dir.File(c.name), "-o", dir.File("a.dxf")});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "quorvmesh: " + dir.File(c.name) + ": " + c.reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir.File("a.dxf")));
    }
}

// Loads path as the tool does; the warnings it wrote.
std::string LoadWarnings(const std::string& path, bool& loaded) {
    std::unique_ptr<HostImage> picture;
    std::ostringstream warnings;
    loaded = !LoadPicture(path, picture, warnings).has_value() && picture != nullptr;
    return warnings.str();
}

TEST(TruncatedPictures, AreTakenWithAWarningNamingTheRowsPresent) {
    TempFolder dir;
    const std::string path = dir.File("cut.bmp");
    WriteGrayBmp(path, 8, 1024, GrayPattern(8, 1024));
    auto bytes = ReadBytes(path);
    bool loaded = false;
    EXPECT_EQ(LoadWarnings(path, loaded), "");
    EXPECT_TRUE(loaded);
    bytes.resize(bytes.size() - 8 * 512);
    WriteBytes(path, bytes);
    EXPECT_EQ(LoadWarnings(path, loaded),
              "quorvmesh: " + path + ": picture is truncated: 512 of 1024 rows present\n");
    EXPECT_TRUE(loaded);
}

TEST(TruncatedPictures, TiffStripsMissingAreWarnedOfToo) {
    TempFolder dir;
    const std::string path = dir.File("strips.tif");
    WriteBytes(path, readertest::TiffWithStripsMissing());
    bool loaded = false;
    EXPECT_EQ(LoadWarnings(path, loaded),
              "quorvmesh: " + path + ": picture is truncated: 2 of 5 rows present\n");
    EXPECT_TRUE(loaded);
    WriteGrayTiff(path, 6, 7, GrayPattern(6, 7), true);
    EXPECT_EQ(LoadWarnings(path, loaded), "");
}

} // namespace
