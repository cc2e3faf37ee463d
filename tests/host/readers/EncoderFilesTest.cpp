// Pictures written by independent encoders (ImageMagick, libtiff's tools), read by our
// readers and compared pixel for pixel with the same tool's own decoding.
#include <gtest/gtest.h>

#include <random>

#include "host/readers/ReaderError.h"
#include "tests/host/readers/ReadOutcome.h"

using namespace readertest;

namespace {
const std::string kConvert = "/usr/bin/convert";
const std::string kTiffcp = "/usr/bin/tiffcp";

struct EncodedCase {
    const char* name;    // output file name
    const char* command; // how it is made; {in} is the source picture, {out} the file
    std::uint16_t bitsPerPixel;
};

// A 37 x 29 picture (odd width, so rows are padded) of smooth ramps with some noise.
void WriteSourcePicture(const std::string& path) {
    const int width = 37, height = 29;
    std::string ppm = "P6\n37 29\n255\n";
    std::mt19937 random(1234);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            ppm += static_cast<char>(x * 7);
            ppm += static_cast<char>(y * 9);
            ppm += static_cast<char>(random() % 256);
        }
    WriteBytes(path, std::vector<std::uint8_t>(ppm.begin(), ppm.end()));
}

std::string Expand(std::string command, const TempFolder& dir, const std::string& out) {
    for (auto [key, value] : {std::pair<std::string, std::string>{"{in}", dir.File("source.ppm")},
                              {"{out}", dir.File(out)},
                              {"{dir}", dir.Path().string()}}) {
        for (std::size_t at; (at = command.find(key)) != std::string::npos;)
            command.replace(at, key.size(), value);
    }
    return command;
}

class EncoderFiles : public ::testing::TestWithParam<EncodedCase> {};

TEST_P(EncoderFiles, MatchTheEncodersOwnDecoding) {
    if (!ToolExists(kConvert) || !ToolExists(kTiffcp))
        GTEST_SKIP() << "ImageMagick or libtiff tools missing";
    const EncodedCase& c = GetParam();
    TempFolder dir;
    WriteSourcePicture(dir.File("source.ppm"));
    ASSERT_EQ(RunCommand(Expand(c.command, dir, c.name)), 0) << c.command;
    // The tool's decoding at 16 bits, brought to 8 bits by its high byte: a colour map of
    // 16-bit averages keeps the high byte of each value, as libtiff's reader takes it; every
    // other value is a multiple of 257, whose high byte is the 8-bit value.
    ASSERT_EQ(RunCommand(kConvert + " '" + dir.File(c.name) + "' -depth 16 -endian LSB rgb:'" +
                         dir.File("ref.rgb") + "'"),
              0);
    const auto wide = ReadBytes(dir.File("ref.rgb"));
    std::vector<std::uint8_t> expected(wide.size() / 2);
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = wide[2 * i + 1];

    const ReadOutcome r = ReadFile(dir.File(c.name));
    ASSERT_TRUE(r.valid) << (r.shown.empty() ? "unknown type" : r.shown[0].text);
    const Decoded& decoded = r.decoded;
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.height, 29);
    EXPECT_EQ(decoded.bitsPerPixel, c.bitsPerPixel);
    EXPECT_EQ(decoded.RgbPixels(), expected);
}

// clang-format off
const EncodedCase kCases[] = {
    {"bmp1.bmp", "/usr/bin/convert {in} -monochrome BMP3:{out}", 1},
    {"bmp4.bmp", "/usr/bin/convert {in} -colors 16 -type Palette -compress None BMP3:{out}", 4},
    {"bmp8.bmp", "/usr/bin/convert {in} -colors 200 -type Palette -compress None BMP3:{out}", 8},
    {"bmp24.bmp", "/usr/bin/convert {in} -type TrueColor BMP3:{out}", 24},
    {"bmp24v5.bmp", "/usr/bin/convert {in} -type TrueColor BMP:{out}", 24},
    {"bmp8v5.bmp", "/usr/bin/convert {in} -colors 200 -type Palette -compress None BMP:{out}", 8},
    {"bmp8gray.bmp", "/usr/bin/convert {in} -colorspace Gray -type Palette -compress None BMP3:{out}", 8},
    {"bmp8grayrle.bmp", "/usr/bin/convert {in} -colorspace Gray -type Palette -compress RLE BMP3:{out}", 8},
    {"bmp8rle.bmp", "/usr/bin/convert {in} -colors 200 -type Palette -compress RLE BMP3:{out}", 8},
    {"tif24.tif", "/usr/bin/convert {in} -type TrueColor -depth 8 -compress None {out}", 24},
    {"tif24pb.tif", "/usr/bin/convert {in} -type TrueColor -depth 8 -compress RLE {out}", 24},
    {"tif24mm.tif", "/usr/bin/convert {in} -type TrueColor -depth 8 -define tiff:endian=msb -compress RLE -define tiff:rows-per-strip=4 {out}", 24},
    {"tif8gray.tif", "/usr/bin/convert {in} -colorspace Gray -type Grayscale -depth 8 -compress None -define tiff:rows-per-strip=5 {out}", 8},
    {"tif8pal.tif", "/usr/bin/convert {in} -colors 200 -type Palette -depth 8 -compress RLE {out}", 8},
    {"tif4pal.tif", "/usr/bin/convert {in} -colors 16 -type Palette -depth 4 -compress None {out}", 4},
    {"tif1.tif", "/usr/bin/convert {in} -monochrome -depth 1 -compress None {out}", 1},
    {"tif1white.tif", "/usr/bin/convert {in} -monochrome -depth 1 -define quantum:polarity=min-is-white -compress RLE {out}", 1},
    {"tif8white.tif", "/usr/bin/convert {in} -colorspace Gray -depth 8 -define quantum:polarity=min-is-white -compress None {out}", 8},
    {"tif8pal-mm.tif", "/usr/bin/convert {in} -colors 200 -type Palette -depth 8 {dir}/p.tif && /usr/bin/tiffcp -B -c packbits -r 3 {dir}/p.tif {out}", 8},
    {"tif24-ii.tif", "/usr/bin/convert {in} -type TrueColor -depth 8 -define tiff:endian=msb {dir}/p.tif && /usr/bin/tiffcp -L -c none -r 7 {dir}/p.tif {out}", 24},
    {"tif8gray-mm.tif", "/usr/bin/convert {in} -colorspace Gray -type Grayscale -depth 8 {dir}/p.tif && /usr/bin/tiffcp -B -c packbits -r 2 {dir}/p.tif {out}", 8},
    {"tif1-mm.tif", "/usr/bin/convert {in} -monochrome -depth 1 {dir}/p.tif && /usr/bin/tiffcp -B -c none -r 6 {dir}/p.tif {out}", 1},
    // Without -depth 8 the map holds the quantizer's 16-bit averages, not multiples of 257.
    {"tif8pal16.tif", "/usr/bin/convert {in} +dither -colors 50 -type Palette -compress None {out}", 8},
    {"tif4pal16.tif", "/usr/bin/convert {in} +dither -colors 13 -type Palette -compress None {out}", 4},
    {"tif4pal-mm.tif", "/usr/bin/convert {in} -colors 16 -type Palette -depth 4 {dir}/p.tif && /usr/bin/tiffcp -B -c packbits {dir}/p.tif {out}", 4},
};
// clang-format on

TEST(EncoderTiles, ATiledTiffIsRefusedNotReadAsBlank) {
    if (!ToolExists(kConvert))
        GTEST_SKIP() << "ImageMagick missing";
    TempFolder dir;
    const std::string tiled = dir.File("t.tif");
    ASSERT_EQ(RunCommand(kConvert +
                         " -size 256x256 gradient: -depth 8 -compress None -define "
                         "tiff:tile-geometry=64x64 '" +
                         tiled + "'"),
              0);
    EXPECT_TRUE(RefusedWith(ReadFile(tiled), ReaderError::TiledTiff));
}

INSTANTIATE_TEST_SUITE_P(ImageMagickAndLibtiff, EncoderFiles, ::testing::ValuesIn(kCases),
                         [](const auto& test) {
                             std::string name = test.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

} // namespace
