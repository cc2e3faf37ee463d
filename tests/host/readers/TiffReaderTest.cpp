// Hand-made TIFF files: the directory rules, PackBits, strips, colour maps and the
// refusals, each for its own reason.
#include <gtest/gtest.h>

#include <random>

#include "host/readers/ReaderError.h"
#include "tests/host/readers/ReadOutcome.h"
#include "tests/support/TiffBuilder.h"

using namespace readertest;

namespace {

ReadOutcome ReadTiff(const std::vector<std::uint8_t>& bytes) {
    return ReadMemory(bytes, ReaderChoice::Tiff);
}

std::vector<std::uint8_t> RowsOf(const Decoded& d, std::uint32_t bytesPerRow) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t y = 0; y < d.height; ++y)
        out.insert(out.end(), d.rows.begin() + y * d.stride,
                   d.rows.begin() + y * d.stride + bytesPerRow);
    return out;
}

TEST(TiffReader, GrayLittleEndianOneStrip) {
    const auto pixels = Pattern(15);
    const auto r = ReadTiff(GrayTiff(5, 3, pixels, false, 3));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.width, 5);
    EXPECT_EQ(r.decoded.height, 3);
    EXPECT_EQ(r.decoded.stride, 8u);
    EXPECT_EQ(RowsOf(r.decoded, 5), pixels); // top row first
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(r.decoded.colors[i].rgbRed, i);
        EXPECT_EQ(r.decoded.colors[i].rgbBlue, i);
    }
}

TEST(TiffReader, BigEndianGivesTheSameImage) {
    const auto pixels = Pattern(15);
    const auto little = ReadTiff(GrayTiff(5, 3, pixels, false, 3));
    const auto big = ReadTiff(GrayTiff(5, 3, pixels, true, 3));
    ASSERT_TRUE(big.valid);
    EXPECT_EQ(big.decoded.rows, little.decoded.rows);
}

TEST(TiffReader, SevenRowsInThreeStrips) {
    const auto pixels = Pattern(4 * 7);
    for (bool bigEndian : {false, true}) {
        const auto r = ReadTiff(GrayTiff(4, 7, pixels, bigEndian, 3));
        ASSERT_TRUE(r.valid);
        EXPECT_EQ(RowsOf(r.decoded, 4), pixels);
    }
}

TEST(TiffReader, LongWidthInBothByteOrders) {
    for (bool bigEndian : {false, true}) {
        TiffBuilder t(bigEndian);
        const auto at = t.AddData(Pattern(300 * 2));
        t.Long(256, 300); // LONG, not SHORT
        t.Long(257, 2);
        t.Short(258, 8);
        t.Short(262, 1);
        t.Long(273, at);
        const auto r = ReadTiff(t.Build());
        ASSERT_TRUE(r.valid);
        EXPECT_EQ(r.decoded.width, 300);
        EXPECT_EQ(r.decoded.height, 2);
        EXPECT_EQ(RowsOf(r.decoded, 300), Pattern(600));
    }
}

std::vector<std::uint8_t> PackBitsTiff(std::uint16_t width, std::uint16_t height,
                                       const std::vector<std::uint8_t>& coded) {
    TiffBuilder t;
    const auto at = t.AddData(coded);
    t.Short(256, width);
    t.Short(257, height);
    t.Short(258, 8);
    t.Short(259, 32773);
    t.Short(262, 1);
    t.Long(273, at);
    return t.Build();
}

TEST(TiffReader, PackBitsRunFillsARowAndTheNextRowStartsAfterIt) {
    // Row 1: -9 then 0x42 (ten copies). Row 2: a literal of 3, a run of 7 with -128 between.
    const auto r =
        ReadTiff(PackBitsTiff(10, 2, {0xF7, 0x42, 0x02, 1, 2, 3, 0x80, 0xFA, 0x09, 0x80}));
    ASSERT_TRUE(r.valid);
    const std::vector<std::uint8_t> expected = {
        0x42, 0x42, 0x42, 0x42, 0x42, 0x42, 0x42, 0x42, 0x42, 0x42, 1, 2, 3, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(RowsOf(r.decoded, 10), expected);
}

TEST(TiffReader, PackBitsRunPastTheRowEndIsCutOff) {
    // A run of 128 into a row of 5; the second row starts with a fresh control byte.
    const auto r = ReadTiff(PackBitsTiff(5, 2, {0x81, 7, 0x04, 1, 2, 3, 4, 5}));
    ASSERT_TRUE(r.valid);
    const std::vector<std::uint8_t> expected = {7, 7, 7, 7, 7, 1, 2, 3, 4, 5};
    EXPECT_EQ(RowsOf(r.decoded, 5), expected);
}

TEST(TiffReader, PackBitsStripCutShortByTheFileEndLeavesZeros) {
    // The strip is the last thing in the file and ends after its first row.
    auto make = [](std::uint32_t stripAt) {
        TiffBuilder t;
        t.Short(256, 4);
        t.Short(257, 3);
        t.Short(258, 8);
        t.Short(259, 32773);
        t.Long(273, stripAt);
        return t.Build();
    };
    auto bytes = make(0);
    bytes = make(static_cast<std::uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), {0xFD, 6});
    const auto r = ReadTiff(bytes);
    ASSERT_TRUE(r.valid);
    const std::vector<std::uint8_t> expected = {6, 6, 6, 6, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(RowsOf(r.decoded, 4), expected);
    EXPECT_EQ(r.rowsPresent, 1u);
}

std::vector<std::uint8_t> RgbTiff(std::uint16_t planar, std::uint16_t samples) {
    TiffBuilder t;
    const auto at = t.AddData({10, 20, 30, 40, 50, 60});
    const auto bits = t.AddShorts({8, 8, 8});
    t.Short(256, 2);
    t.Short(257, 1);
    t.Entry(258, 3, 3, bits);
    t.Short(262, 2);
    t.Long(273, at);
    t.Short(277, samples);
    t.Short(284, planar);
    return t.Build();
}

TEST(TiffReader, RgbPixelsBecomeBlueGreenRed) {
    const auto r = ReadTiff(RgbTiff(1, 3));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.bitsPerPixel, 24);
    const std::vector<std::uint8_t> expected = {30, 20, 10, 60, 50, 40};
    EXPECT_EQ(RowsOf(r.decoded, 6), expected);
    EXPECT_EQ(r.decoded.colors[0].rgbRed, 0); // no colour table for 24 bits
}

TEST(TiffReader, PlanarRgbIsRefusedAs72Bits) {
    EXPECT_TRUE(RefusedWith(ReadTiff(RgbTiff(2, 3)), ReaderError::UnsupportedBitsPerPixel));
}

TEST(TiffReader, SixteenBitGrayIsRefused) {
    TiffBuilder t;
    t.Short(256, 2);
    t.Short(257, 2);
    t.Short(258, 16);
    t.Long(273, 8);
    EXPECT_TRUE(RefusedWith(ReadTiff(t.Build()), ReaderError::UnsupportedBitsPerPixel));
}

TEST(TiffReader, LzwIsRefusedBeforeTheBitCount) {
    TiffBuilder t;
    t.Short(256, 2);
    t.Short(257, 2);
    t.Short(258, 16); // also unsupported, but compression is reported
    t.Short(259, 5);
    EXPECT_TRUE(RefusedWith(ReadTiff(t.Build()), ReaderError::UnsupportedCompression));
}

TEST(TiffReader, WrongVersionIsRefusedBeforeTheDirectory) {
    TiffBuilder t;
    t.SetVersion(43);
    t.Short(259, 5);
    EXPECT_TRUE(RefusedWith(ReadTiff(t.Build()), ReaderError::UncommonTiffVersion));
}

std::vector<std::uint8_t> PaletteTiff(std::uint16_t bits, const std::vector<std::uint16_t>& map,
                                      bool bigEndian = false) {
    TiffBuilder t(bigEndian);
    const auto at = t.AddData({0x01, 0x23});
    const auto mapAt = t.AddShorts(map);
    t.Short(256, bits == 8 ? 2 : 4);
    t.Short(257, 1);
    t.Short(258, bits);
    t.Short(262, 3);
    t.Long(273, at);
    t.Entry(320, 3, static_cast<std::uint32_t>(map.size()), mapAt);
    return t.Build();
}

TEST(TiffReader, ColorMapValuesKeepTheirHighByte) {
    std::vector<std::uint16_t> map(3 * 256);
    for (int i = 0; i < 256; ++i) {
        map[i] = static_cast<std::uint16_t>(257 * i);               // red: 257 x v gives v
        map[256 + i] = static_cast<std::uint16_t>(i << 8 | 0xFF);   // green: the low byte is lost
        map[512 + i] = static_cast<std::uint16_t>(257 * (255 - i)); // blue
    }
    // Values where rounding v / 257 would give another byte than v >> 8.
    map[256 + 16] = 0x10FF;  // 16.93
    map[256 + 240] = 0xF000; // 239.07
    map[256 + 10] = 0x0A8B;  // 10.50
    for (bool bigEndian : {false, true}) {
        const auto r = ReadTiff(PaletteTiff(8, map, bigEndian));
        ASSERT_TRUE(r.valid);
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(r.decoded.colors[i].rgbRed, i);
            EXPECT_EQ(r.decoded.colors[i].rgbGreen, map[256 + i] >> 8) << i;
            EXPECT_EQ(r.decoded.colors[i].rgbBlue, 255 - i);
        }
        EXPECT_EQ(r.decoded.colors[16].rgbGreen, 16);
        EXPECT_EQ(r.decoded.colors[240].rgbGreen, 240);
        EXPECT_EQ(r.decoded.colors[10].rgbGreen, 10);
    }
}

TEST(TiffReader, ColorMapOfEightBitValuesIsKeptAsItIs) {
    // Old writers stored 0..255: every value below 256 means the map is already 8-bit.
    std::vector<std::uint16_t> map(48);
    for (int i = 0; i < 16; ++i) {
        map[i] = static_cast<std::uint16_t>(i * 17);
        map[16 + i] = static_cast<std::uint16_t>(255 - i);
        map[32 + i] = static_cast<std::uint16_t>(i);
    }
    auto r = ReadTiff(PaletteTiff(4, map));
    ASSERT_TRUE(r.valid);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(r.decoded.colors[i].rgbRed, i * 17);
        EXPECT_EQ(r.decoded.colors[i].rgbGreen, 255 - i);
        EXPECT_EQ(r.decoded.colors[i].rgbBlue, i);
    }
    // One value of 256 makes it a 16-bit map, and then every value keeps its high byte.
    map[47] = 256;
    r = ReadTiff(PaletteTiff(4, map));
    EXPECT_EQ(r.decoded.colors[0].rgbGreen, 0); // 255
    EXPECT_EQ(r.decoded.colors[15].rgbBlue, 1); // 256
    EXPECT_EQ(r.decoded.colors[15].rgbRed, 0);  // 255
}

TEST(TiffReader, FourBitColorMapRedPlaneFirst) {
    std::vector<std::uint16_t> map(48);
    for (int i = 0; i < 16; ++i) {
        map[i] = static_cast<std::uint16_t>(i * 257);
        map[16 + i] = static_cast<std::uint16_t>(i * 2 * 257);
        map[32 + i] = static_cast<std::uint16_t>(i * 3 * 257);
    }
    const auto r = ReadTiff(PaletteTiff(4, map));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.bitsPerPixel, 4);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(r.decoded.colors[i].rgbRed, i);
        EXPECT_EQ(r.decoded.colors[i].rgbGreen, 2 * i);
        EXPECT_EQ(r.decoded.colors[i].rgbBlue, 3 * i);
    }
    EXPECT_EQ(r.decoded.colors[16].rgbRed, 0);
}

TEST(TiffReader, ColorMapBeyondTheFileLeavesZeros) {
    TiffBuilder t;
    const auto at = t.AddData({1, 2});
    t.Short(256, 2);
    t.Short(257, 1);
    t.Short(258, 8);
    t.Short(262, 3);
    t.Long(273, at);
    t.Entry(320, 3, 768, 1u << 30);
    const auto r = ReadTiff(t.Build());
    ASSERT_TRUE(r.valid);
    for (const auto& c : r.decoded.colors)
        EXPECT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue, 0);
}

std::vector<std::uint8_t> OneBitTiff(std::uint16_t photometric) {
    TiffBuilder t;
    const auto at = t.AddData({0xA0});
    t.Short(256, 3);
    t.Short(257, 1);
    t.Short(258, 1);
    t.Short(262, photometric);
    t.Long(273, at);
    return t.Build();
}

TEST(TiffReader, OneBitBlackIsZeroGetsBlackThenWhite) {
    const auto r = ReadTiff(OneBitTiff(1));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.colors[0].rgbRed, 0);
    EXPECT_EQ(r.decoded.colors[1].rgbRed, 255);
}

TEST(TiffReader, WhiteIsZeroShowsAsStored) {
    // Zero bits are white: the colour table says so, the pixels stay as stored.
    const auto r = ReadTiff(OneBitTiff(0));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.colors[0].rgbRed, 255);
    EXPECT_EQ(r.decoded.colors[1].rgbRed, 0);
    EXPECT_EQ(r.decoded.rows[0], 0xA0);
}

TEST(TiffReader, OneBitWithoutAColorMapIsBlackAndWhiteWhateverThePhotometric) {
    for (std::uint16_t photometric : {1, 2, 3, 4}) {
        SCOPED_TRACE(photometric);
        const auto r = ReadTiff(OneBitTiff(photometric));
        ASSERT_TRUE(r.valid);
        EXPECT_EQ(r.decoded.colors[0].rgbRed | r.decoded.colors[0].rgbGreen |
                      r.decoded.colors[0].rgbBlue,
                  0);
        EXPECT_EQ(r.decoded.colors[1].rgbRed & r.decoded.colors[1].rgbGreen &
                      r.decoded.colors[1].rgbBlue,
                  255);
    }
}

TEST(TiffReader, OneBitPaletteKeepsItsColorMap) {
    TiffBuilder t;
    const auto at = t.AddData({0xA0});
    const auto mapAt = t.AddShorts({257 * 10, 257 * 20, 257 * 30, 257 * 40, 257 * 50, 257 * 60});
    t.Short(256, 3);
    t.Short(257, 1);
    t.Short(258, 1);
    t.Short(262, 3);
    t.Long(273, at);
    t.Entry(320, 3, 6, mapAt);
    const auto r = ReadTiff(t.Build());
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.colors[0].rgbRed, 10);
    EXPECT_EQ(r.decoded.colors[1].rgbBlue, 60);
}

TEST(TiffReader, MissingStripOffsetsAreDamaged) {
    TiffBuilder t;
    t.Short(256, 4);
    t.Short(257, 2);
    t.Short(258, 8);
    EXPECT_TRUE(RefusedWith(ReadTiff(t.Build()), ReaderError::DamagedFile));
}

// A 64 x 64 picture in four 32 x 32 tiles: the tiles are not read as strips, nor the
// picture as blank.
std::vector<std::uint8_t> TiledTiff(bool withStripOffsets) {
    TiffBuilder t;
    std::vector<std::uint32_t> tiles;
    for (int k = 0; k < 4; ++k)
        tiles.push_back(t.AddData(Pattern(32 * 32)));
    const auto offsets = t.AddLongs(tiles);
    const auto counts = t.AddLongs({1024, 1024, 1024, 1024});
    t.Short(256, 64);
    t.Short(257, 64);
    t.Short(258, 8);
    t.Short(262, 1);
    if (withStripOffsets)
        t.Long(273, offsets, 4);
    t.Short(322, 32);
    t.Short(323, 32);
    t.Long(324, offsets, 4);
    t.Long(325, counts, 4);
    return t.Build();
}

TEST(TiffReader, TiledPicturesAreRefused) {
    EXPECT_TRUE(RefusedWith(ReadTiff(TiledTiff(false)), ReaderError::TiledTiff));
    EXPECT_TRUE(RefusedWith(ReadTiff(TiledTiff(true)), ReaderError::TiledTiff));
}

TEST(TiffReader, RowsPresentCountsRowsFromStripsTheFileHolds) {
    // Strip 1 holds two rows, strip 2 lies past the end, and the fifth row has no strip.
    const auto r = ReadTiff(TiffWithStripsMissing());
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.rowsPresent, 2u);
    EXPECT_EQ(ReadTiff(GrayTiff(5, 7, Pattern(35), false, 3)).rowsPresent, 7u);
}

TEST(TiffReader, StripBeyondTheFileLeavesItsRowsZero) {
    TiffBuilder t;
    const auto first = t.AddData({1, 2, 3, 4});
    const auto table = t.AddLongs({first, 0x7FFFFFF0u, first});
    t.Short(256, 4);
    t.Short(257, 3);
    t.Short(258, 8);
    t.Long(273, table, 3);
    t.Short(278, 1);
    const auto r = ReadTiff(t.Build());
    ASSERT_TRUE(r.valid);
    const std::vector<std::uint8_t> expected = {1, 2, 3, 4, 0, 0, 0, 0, 1, 2, 3, 4};
    EXPECT_EQ(RowsOf(r.decoded, 4), expected);
}

} // namespace

namespace {

// A plain PackBits coder: runs of three or more equal bytes, literals between them.
void PackRow(const std::uint8_t* row, std::size_t size, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < size) {
        std::size_t run = 1;
        while (i + run < size && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.insert(out.end(), {static_cast<std::uint8_t>(257 - run), row[i]});
            i += run;
            continue;
        }
        const std::size_t start = i;
        while (i < size && i - start < 128 &&
               !(i + 2 < size && row[i] == row[i + 1] && row[i] == row[i + 2]))
            ++i;
        out.push_back(static_cast<std::uint8_t>(i - start - 1));
        out.insert(out.end(), row + start, row + i);
    }
}

TEST(TiffReader, RandomPackBitsPicturesRoundTrip) {
    std::mt19937 random(2024);
    for (int trial = 0; trial < 60; ++trial) {
        const auto width = static_cast<std::uint16_t>(1 + random() % 300);
        const auto height = static_cast<std::uint16_t>(1 + random() % 20);
        const auto rowsPerStrip = static_cast<std::uint16_t>(1 + random() % height);
        const bool bigEndian = random() % 2 == 0;
        std::vector<std::uint8_t> pixels(std::size_t{width} * height);
        for (auto& p : pixels) // long runs as well as noise
            p = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : 7);
        TiffBuilder t(bigEndian);
        std::vector<std::uint32_t> offsets;
        for (std::uint32_t row = 0; row < height; row += rowsPerStrip) {
            std::vector<std::uint8_t> strip;
            for (std::uint32_t r = row; r < std::min<std::uint32_t>(height, row + rowsPerStrip);
                 ++r)
                PackRow(pixels.data() + std::size_t{r} * width, width, strip);
            offsets.push_back(t.AddData(strip));
        }
        t.Short(256, width);
        t.Short(257, height);
        t.Short(258, 8);
        t.Short(259, 32773);
        if (offsets.size() == 1) // a single offset sits in the entry itself
            t.Long(273, offsets[0]);
        else
            t.Long(273, t.AddLongs(offsets), static_cast<std::uint32_t>(offsets.size()));
        t.Short(278, rowsPerStrip);
        const auto r = ReadTiff(t.Build());
        ASSERT_TRUE(r.valid);
        ASSERT_EQ(RowsOf(r.decoded, width), pixels) << "trial " << trial;
    }
}

} // namespace
