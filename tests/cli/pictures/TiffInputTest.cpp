// The TIFFs the host's reader refuses go through libtiff: compressed or tiled ones give
// the picture the host reads uncompressed, 16-bit ones keep their levels, float ones are
// mapped to 0..65535.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <cmath>
#include <limits>

#include "host/image/GrayLevel.h"
#include "tests/cli/pictures/PictureFiles.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

constexpr std::uint32_t kWidth = 37, kHeight = 29;

TiffPicture Picture8(std::uint16_t samples) {
    TiffPicture tiff;
    tiff.width = kWidth;
    tiff.height = kHeight;
    tiff.samplesPerPixel = samples;
    tiff.photometric = samples == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB;
    for (std::uint32_t i = 0; i < kWidth * kHeight * samples; ++i)
        tiff.data.push_back(static_cast<std::uint8_t>(i * 2654435761u >> 13));
    return tiff;
}

TEST(TiffInput, CompressedOrTiledEqualsThePictureTheHostReadsUncompressed) {
    TempFolder dir;
    for (std::uint16_t samples : {1, 3}) {
        SCOPED_TRACE(samples);
        const TiffPicture plain = Picture8(samples);
        WriteTiff(dir.File("plain.tif"), plain);
        const Loaded reference = Load(dir.File("plain.tif"));
        ASSERT_FALSE(reference.failure) << reference.failure->message;
        const struct {
            std::uint16_t compression, planar;
            std::uint32_t tile;
        } variants[] = {
            {COMPRESSION_LZW, PLANARCONFIG_CONTIG, 0},
            {COMPRESSION_ADOBE_DEFLATE, PLANARCONFIG_CONTIG, 0},
            {COMPRESSION_NONE, PLANARCONFIG_CONTIG, 16},
            {COMPRESSION_LZW, PLANARCONFIG_CONTIG, 16},
            {COMPRESSION_PACKBITS, PLANARCONFIG_CONTIG, 32},
            {COMPRESSION_LZW, PLANARCONFIG_SEPARATE, 0},
            {COMPRESSION_ADOBE_DEFLATE, PLANARCONFIG_SEPARATE, 16},
        };
        for (const auto& v : variants) {
            SCOPED_TRACE(testing::Message() << v.compression << " " << v.planar << " " << v.tile);
            TiffPicture other = plain;
            other.compression = v.compression;
            other.planar = v.planar;
            other.tileSize = v.tile;
            WriteTiff(dir.File("other.tif"), other);
            const Loaded loaded = Load(dir.File("other.tif"));
            ASSERT_FALSE(loaded.failure) << loaded.failure->message;
            EXPECT_EQ(GrayOfImage(*loaded.picture.image), GrayOfImage(*reference.picture.image));
            EXPECT_FALSE(loaded.picture.wide);
        }
    }
}

TEST(TiffInput, SixteenBitPicturesKeepTheirLevels) {
    TempFolder dir;
    std::vector<std::uint16_t> gray, rgba;
    for (std::uint32_t i = 0; i < kWidth * kHeight; ++i) {
        gray.push_back(static_cast<std::uint16_t>(i * 40503u));
        for (std::uint32_t c = 0; c < 4; ++c)
            rgba.push_back(
                static_cast<std::uint16_t>(c == 3 ? (i % 2) * 65535 : i * 977u + c * 9000u));
    }
    for (std::uint32_t tile : {0u, 16u}) {
        SCOPED_TRACE(tile);
        TiffPicture g;
        g.width = kWidth;
        g.height = kHeight;
        g.bitsPerSample = 16;
        g.compression = COMPRESSION_ADOBE_DEFLATE;
        g.tileSize = tile;
        g.data = AsBytes(gray);
        WriteTiff(dir.File("g16.tif"), g);
        const Loaded loadedGray = Load(dir.File("g16.tif"));
        ASSERT_FALSE(loadedGray.failure) << loadedGray.failure->message;
        ASSERT_TRUE(loadedGray.picture.wide);
        EXPECT_EQ(loadedGray.picture.wide->levels, gray);
        EXPECT_EQ(GrayOfImage(*loadedGray.picture.image)[5], (gray[5] + 128) / 257);

        // WhiteIsZero is turned the right way round.
        g.photometric = PHOTOMETRIC_MINISWHITE;
        WriteTiff(dir.File("w16.tif"), g);
        EXPECT_EQ(Load(dir.File("w16.tif")).picture.wide->levels[7], 65535 - gray[7]);

        // RGB and alpha in separate planes; the alpha makes holes only when asked.
        TiffPicture c = g;
        c.photometric = PHOTOMETRIC_RGB;
        c.samplesPerPixel = 4;
        c.planar = PLANARCONFIG_SEPARATE;
        c.extraSamples = {EXTRASAMPLE_UNASSALPHA};
        c.data = AsBytes(rgba);
        WriteTiff(dir.File("c16.tif"), c);
        const Loaded colour = Load(dir.File("c16.tif"));
        const Loaded holes = Load(dir.File("c16.tif"), true);
        ASSERT_FALSE(colour.failure) << colour.failure->message;
        ASSERT_FALSE(holes.failure);
        for (std::size_t i : {0u, 1u, 100u, 101u}) {
            const std::uint16_t* p = rgba.data() + 4 * i;
            const auto level =
                static_cast<std::uint16_t>((30u * p[0] + 59u * p[1] + 11u * p[2]) / 100u);
            EXPECT_EQ(colour.picture.wide->levels[i], level);
            EXPECT_EQ(holes.picture.wide->levels[i], p[3] == 0 ? 0 : level);
            const auto eight = [&](int k) { return static_cast<std::uint8_t>((p[k] + 128) / 257); };
            EXPECT_EQ(GrayOfImage(*colour.picture.image)[i], GrayOf(eight(0), eight(1), eight(2)));
            EXPECT_EQ(GrayOfImage(*holes.picture.image)[i],
                      p[3] == 0 ? 0 : GrayOf(eight(0), eight(1), eight(2)));
        }
    }
}

// A 4 x 2 float picture with the values given.
std::vector<std::uint16_t> FloatLevels(const TempFolder& dir, const std::vector<float>& values) {
    TiffPicture f;
    f.width = 4;
    f.height = 2;
    f.bitsPerSample = 32;
    f.sampleFormat = SAMPLEFORMAT_IEEEFP;
    f.compression = COMPRESSION_LZW;
    f.data = AsBytes(values);
    WriteTiff(dir.File("f.tif"), f);
    const Loaded loaded = Load(dir.File("f.tif"));
    EXPECT_FALSE(loaded.failure) << loaded.failure->message;
    return loaded.picture.wide ? loaded.picture.wide->levels : std::vector<std::uint16_t>{};
}

TEST(TiffInput, FloatPicturesAreMappedTo16Bits) {
    TempFolder dir;
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    // All in 0..1: 0..1 is 0..65535, whatever the picture's own range.
    EXPECT_EQ(FloatLevels(dir, {0.25f, 0.5f, 0.75f, 0.5f, 0.5f, 0.5f, 0.3f, 0.6f}),
              (std::vector<std::uint16_t>{16384, 32768, 49151, 32768, 32768, 32768, 19661, 39321}));
    // Elevations: lowest to highest is 0..65535; NaN and infinities are black.
    EXPECT_EQ(FloatLevels(dir, {-100.0f, 900.0f, 400.0f, kNan, kInf, -kInf, 150.0f, -100.0f}),
              (std::vector<std::uint16_t>{0, 65535, 32768, 0, 0, 0, 16384, 0}));
    // One value throughout has no range to stretch.
    EXPECT_EQ(FloatLevels(dir, std::vector<float>(8, 7.0f)), std::vector<std::uint16_t>(8, 0));
}

TEST(TiffInput, KindsNeitherReaderTakesAreRefusedInWords) {
    TempFolder dir;
    TiffPicture wide;
    wide.width = 3;
    wide.height = 2;
    wide.bitsPerSample = 32; // unsigned 32-bit samples
    wide.data.resize(3 * 2 * 4, 7);
    WriteTiff(dir.File("u32.tif"), wide);
    const ToolRun run = RunTool({dir.File("u32.tif"), "-o", dir.File("a.dxf")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("quorvmesh: " + dir.File("u32.tif") +
                                ": this kind of TIFF picture is not supported (",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

} // namespace
