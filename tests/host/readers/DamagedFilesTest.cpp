// Damaged files: the crashers folder (tiny files named for their defect) and every
// prefix of valid files. Each must be refused with one message or read without harm.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/readers/OpenImageSource.h"
#include "host/readers/ReaderError.h"
#include "host/readers/SourceFile.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/ReaderTestSupport.h"
#include "tests/support/TiffBuilder.h"

using namespace readertest;

namespace {

struct Outcome {
    bool valid = false;
    std::size_t messages = 0;
    Decoded decoded;
};

Outcome ReadMemory(const std::vector<std::uint8_t>& bytes) {
    SourceFile file("memory", bytes);
    RecordingReporter reporter;
    auto source = CreateImageSource(file, reporter);
    Outcome out;
    out.valid = source != nullptr && source->IsValid();
    if (out.valid)
        out.decoded = Decode(*source);
    out.messages = reporter.texts.size();
    return out;
}

std::uint16_t ErrorOf(const std::string& path, std::size_t& messages) {
    SourceFile file(path);
    RecordingReporter reporter;
    auto source = CreateImageSource(file, reporter);
    EXPECT_NE(source, nullptr) << path;
    if (source == nullptr)
        return 0xFFFF;
    if (source->IsValid())
        Decode(*source); // must not touch memory it does not own
    messages = reporter.texts.size();
    for (std::uint16_t code = kUncommonTiffVersion; code <= kUnsupportedBmpHeader; ++code)
        if (!reporter.texts.empty() && reporter.texts[0] == ReaderErrorText(code))
            return code;
    return source->IsValid() ? 0 : 0xFFFF;
}

TEST(DamagedFiles, CrashersAreRefusedOrReadAsListed) {
    const std::string folder = std::string(QM_SOURCE_DIR) + "/tests/data/readers/crashers/";
    std::ifstream listing(folder + "expected.txt");
    ASSERT_TRUE(listing) << "missing " << folder << "expected.txt";
    std::string name;
    int expected = 0, count = 0;
    while (listing >> name >> expected) {
        std::size_t messages = 0;
        EXPECT_EQ(ErrorOf(folder + name, messages), expected) << name;
        EXPECT_EQ(messages, expected == 0 ? 0u : 1u) << name;
        ++count;
    }
    EXPECT_GT(count, 20);
}

// Every byte of a decoded prefix is either what the whole file gives or zero.
void ExpectEveryPrefixFailsCleanly(const std::vector<std::uint8_t>& whole) {
    const Outcome full = ReadMemory(whole);
    ASSERT_TRUE(full.valid);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + n);
        const Outcome part = ReadMemory(prefix);
        if (!part.valid) {
            EXPECT_LE(part.messages, 1u) << "prefix " << n;
            continue;
        }
        ASSERT_EQ(part.decoded.rows.size(), full.decoded.rows.size()) << "prefix " << n;
        for (std::size_t i = 0; i < part.decoded.rows.size(); ++i)
            if (part.decoded.rows[i] != 0 && part.decoded.rows[i] != full.decoded.rows[i])
                FAIL() << "prefix " << n << " byte " << i;
    }
}

std::vector<std::uint8_t> Pattern(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(1 + i * 7 % 251);
    return v;
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
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    SourceFile file("memory", text);
    RecordingReporter reporter;
    EXPECT_EQ(CreateImageSource(file, reporter), nullptr);
    EXPECT_TRUE(reporter.texts.empty());
}

} // namespace
