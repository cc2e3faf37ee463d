// Truncated and damaged PNG, JPEG and TIFF files: never a crash nor an abort of the
// libraries, but exit code 2 and one line naming the file, or a picture that is whole.
#include <gtest/gtest.h>

#include <png.h>
#include <tiffio.h>

#include <random>

#include "tests/cli/pictures/PictureFiles.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

// Small pictures of each decoder's kinds, written into dir; their names.
std::vector<std::string> WriteSmallPictures(const TempFolder& dir) {
    PngPicture rgb;
    rgb.width = 9;
    rgb.height = 6;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    for (int i = 0; i < 9 * 6 * 3; ++i)
        rgb.samples.push_back(static_cast<std::uint16_t>(i * 37 % 256));
    WritePng(dir.File("rgb.png"), rgb);
    PngPicture gray16;
    gray16.width = 11;
    gray16.height = 7;
    gray16.bitDepth = 16;
    gray16.interlaced = true;
    for (int i = 0; i < 11 * 7; ++i)
        gray16.samples.push_back(static_cast<std::uint16_t>(i * 40503));
    WritePng(dir.File("gray16.png"), gray16);

    std::vector<std::uint8_t> samples;
    for (int i = 0; i < 24 * 16 * 3; ++i)
        samples.push_back(static_cast<std::uint8_t>(i * 7 % 256));
    WriteJpeg(dir.File("colour.jpg"), 24, 16, 3, samples);
    samples.resize(24 * 16);
    WriteJpeg(dir.File("gray.jpg"), 24, 16, 1, samples, true);

    TiffPicture lzw;
    lzw.width = 10;
    lzw.height = 9;
    lzw.compression = COMPRESSION_LZW;
    lzw.data.assign(samples.begin(), samples.begin() + 90);
    WriteTiff(dir.File("lzw.tif"), lzw);
    TiffPicture wide = lzw;
    wide.bitsPerSample = 16;
    wide.compression = COMPRESSION_ADOBE_DEFLATE;
    wide.tileSize = 16;
    wide.data.resize(180);
    WriteTiff(dir.File("wide.tif"), wide);
    return {"rgb.png", "gray16.png", "colour.jpg", "gray.jpg", "lzw.tif", "wide.tif"};
}

// A refusal is exit code 2 and one line naming the file.
void ExpectCleanRefusal(const Loaded& loaded, const std::string& path) {
    ASSERT_TRUE(loaded.failure);
    EXPECT_EQ(loaded.failure->exitCode, 2);
    EXPECT_EQ(loaded.failure->message.rfind("quorvmesh: " + path + ": ", 0), 0u)
        << loaded.failure->message;
    EXPECT_EQ(loaded.failure->message.find('\n'), std::string::npos) << loaded.failure->message;
}

TEST(DamagedPictures, EveryPrefixIsRefusedCleanlyOrTakenWhole) {
    TempFolder dir;
    for (const std::string& name : WriteSmallPictures(dir)) {
        SCOPED_TRACE(name);
        const Loaded whole = Load(dir.File(name));
        ASSERT_FALSE(whole.failure) << whole.failure->message;
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.File(name));
        const std::string cut = dir.File("cut");
        std::size_t taken = 0;
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            WriteBytes(cut, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n));
            const Loaded loaded = Load(cut);
            if (!loaded.failure) { // only what follows the pixels can be missing
                ++taken;
                EXPECT_EQ(GrayOfImage(*loaded.picture.image), GrayOfImage(*whole.picture.image))
                    << n;
                continue;
            }
            SCOPED_TRACE(n);
            ExpectCleanRefusal(loaded, cut);
        }
        EXPECT_LT(taken, 20u) << "a truncated file was taken";
    }
}

TEST(DamagedPictures, TruncationIsNamed) {
    TempFolder dir;
    WriteSmallPictures(dir);
    for (const auto& [name, text] :
         {std::pair<std::string, std::string>{"rgb.png", "the PNG file is truncated"},
          {"colour.jpg", "the JPEG file is truncated"}}) {
        std::vector<std::uint8_t> bytes = ReadBytes(dir.File(name));
        bytes.resize(bytes.size() * 2 / 3);
        WriteBytes(dir.File("cut"), bytes);
        const ToolRun run = RunTool({dir.File("cut"), "-o", dir.File("a.dxf")});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "quorvmesh: " + dir.File("cut") + ": " + text + "\n");
    }
}

// libjpeg fills what it cannot decode with gray and only warns; the tool refuses instead.
TEST(DamagedPictures, JpegDataThatEndsOrBreaksOffInsideTheScanIsRefused) {
    TempFolder dir;
    WriteSmallPictures(dir);
    for (const std::string name : {"colour.jpg", "gray.jpg"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.File(name));
        // The scan data runs from after the last start-of-scan header to the end marker.
        std::size_t scan = 0;
        for (std::size_t i = 0; i + 3 < bytes.size(); ++i)
            if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA)
                scan = i + 2 + (bytes[i + 2] << 8 | bytes[i + 3]);
        ASSERT_GT(scan, 0u);
        const std::size_t middle = (scan + bytes.size() - 2) / 2;
        std::vector<std::uint8_t> ended = bytes; // an end-of-image marker in the middle
        ended[middle] = 0xFF;
        ended[middle + 1] = 0xD9;
        const std::string path = dir.File("broken.jpg");
        WriteBytes(path, ended);
        const Loaded early = Load(path);
        ASSERT_TRUE(early.failure);
        ExpectCleanRefusal(early, path);
        EXPECT_NE(early.failure->message.find("the JPEG file is damaged"), std::string::npos)
            << early.failure->message;
        std::vector<std::uint8_t> restart = bytes; // a restart marker where none may be
        restart[middle] = 0xFF;
        restart[middle + 1] = 0xD3;
        WriteBytes(path, restart);
        const Loaded wrong = Load(path);
        ASSERT_TRUE(wrong.failure);
        ExpectCleanRefusal(wrong, path);
    }
}

TEST(DamagedPictures, ChangedBytesAreRefusedCleanlyOrTaken) {
    TempFolder dir;
    std::mt19937 random(20261210);
    for (const std::string& name : WriteSmallPictures(dir)) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.File(name));
        const std::string changed = dir.File("changed");
        for (int round = 0; round < 300; ++round) {
            std::vector<std::uint8_t> copy = bytes;
            const int changes = 1 + round % 4;
            for (int k = 0; k < changes; ++k)
                copy[random() % copy.size()] = static_cast<std::uint8_t>(random());
            WriteBytes(changed, copy);
            const Loaded loaded = Load(changed);
            if (loaded.failure) {
                SCOPED_TRACE(round);
                ExpectCleanRefusal(loaded, changed);
            }
        }
    }
}

} // namespace
