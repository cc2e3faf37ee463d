// Damaged files: the crashers folder (tiny files named for their defect) and every
// prefix of valid files. Each must be refused with one message or read without harm.
#include <gtest/gtest.h>

#include <fstream>

#include "host/readers/ReaderError.h"
#include "tests/host/readers/ReadOutcome.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/TiffBuilder.h"

using namespace readertest;

namespace {

// expected.txt lists each file with the code it must be refused with, 0 for a file that
// is read (with zeros where its data is missing).
TEST(DamagedFiles, CrashersAreRefusedOrReadAsListed) {
    const std::string folder = std::string(QM_SOURCE_DIR) + "/tests/data/readers/crashers/";
    std::ifstream listing(folder + "expected.txt");
    ASSERT_TRUE(listing) << "missing " << folder << "expected.txt";
    std::string name;
    int code = 0, count = 0;
    while (listing >> name >> code) {
        SCOPED_TRACE(name);
        // A file that is taken is decoded too: that must not touch memory it does not own.
        const ReadOutcome r = ReadFile(folder + name);
        EXPECT_TRUE(r.recognised);
        const auto expected = static_cast<ReaderError>(code);
        if (expected == ReaderError::None) {
            EXPECT_TRUE(r.valid);
            EXPECT_TRUE(r.shown.empty());
        } else {
            EXPECT_TRUE(RefusedWith(r, expected));
        }
        ++count;
    }
    EXPECT_GT(count, 20);
}

// Every byte of a decoded prefix is either what the whole file gives or zero.
void ExpectEveryPrefixFailsCleanly(const std::vector<std::uint8_t>& whole) {
    const ReadOutcome full = ReadMemory(whole);
    ASSERT_TRUE(full.valid);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + n);
        const ReadOutcome part = ReadMemory(prefix);
        if (!part.valid) {
            EXPECT_LE(part.shown.size(), 1u) << "prefix " << n;
            continue;
        }
        ASSERT_EQ(part.decoded.rows.size(), full.decoded.rows.size()) << "prefix " << n;
        for (std::size_t i = 0; i < part.decoded.rows.size(); ++i)
            if (part.decoded.rows[i] != 0 && part.decoded.rows[i] != full.decoded.rows[i])
                FAIL() << "prefix " << n << " byte " << i;
    }
}

TEST(DamagedFiles, EveryPrefixOfAnEightBitBmp) {
    BmpLayout s;
    s.width = 5;
    s.height = 4;
    s.colorTable = TestColorTable(256);
    s.pixelData = Pattern(32);
    ExpectEveryPrefixFailsCleanly(BuildBmp(s));
}

TEST(DamagedFiles, EveryPrefixOfARunLengthBmp) {
    BmpLayout s;
    s.width = 6;
    s.height = 3;
    s.compression = 1;
    s.colorTable = TestColorTable(256);
    s.pixelData = {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 9, 0, 1};
    ExpectEveryPrefixFailsCleanly(BuildBmp(s));
}

TEST(DamagedFiles, EveryPrefixOfAPackBitsTiffInStrips) {
    for (bool bigEndian : {false, true}) {
        TiffBuilder t(bigEndian);
        const auto a = t.AddData({0xFB, 9, 0x02, 1, 2, 3, 0x80, 0xFF, 4});
        const auto b = t.AddData({0x05, 5, 6, 7, 8, 9, 10});
        t.Short(256, 6);
        t.Short(257, 3);
        t.Short(258, 8);
        t.Short(259, 32773);
        t.Long(273, t.AddLongs({a, b}), 2);
        t.Short(278, 2);
        ExpectEveryPrefixFailsCleanly(t.Build());
    }
}

TEST(DamagedFiles, EveryPrefixOfAPaletteTiff) {
    TiffBuilder t(true);
    const auto pixels = t.AddData({0x01, 0x23, 0x45, 0x67});
    std::vector<std::uint16_t> map(48, 0x1234);
    const auto mapAt = t.AddShorts(map);
    t.Short(256, 4);
    t.Short(257, 2);
    t.Short(258, 4);
    t.Short(262, 3);
    t.Long(273, pixels);
    t.Entry(320, 3, 48, mapAt);
    ExpectEveryPrefixFailsCleanly(t.Build());
}

TEST(DamagedFiles, UnknownFirstBytesGetNoReader) {
    const auto r = ReadMemory({'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(r.recognised);
    EXPECT_TRUE(r.shown.empty());
}

} // namespace
