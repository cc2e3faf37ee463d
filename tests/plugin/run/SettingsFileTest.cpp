// Settings files: both versions, refusals, every short prefix, round trips.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <stdlib.h>
#include <vector>

#include "plugin/run/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A version-132 file assembled byte by byte; float bit patterns written out by hand
// (25.0 = 0x41C80000, 1.0 = 0x3F800000, 20.0 = 0x41A00000, 100.0 = 0x42C80000,
// 0.5 = 0x3F000000, -0.25 = 0xBE800000, -666.0 = 0xC4268000, 2.0 = 0x40000000).
Bytes Version132File() {
    Bytes b = {'Q', 'M', 'S', 'T'};
    PutU16(b, 132);
    PutU16(b, 0xBEEF); // not used
    for (std::uint32_t f : {0x41C80000u, 0x3F800000u, 0x41A00000u, 0x42C80000u})
        PutU32(b, f);
    for (std::uint32_t i : {2u, 0u, 1u, 1u, 0u, 5u})
        PutU32(b, i);
    for (std::uint32_t f : {0x3F000000u, 0xBE800000u, 0u})
        PutU32(b, f);
    for (std::uint32_t i : {4u, 2u, 0xFFFFFFFFu})
        PutU32(b, i);
    for (std::uint32_t f : {0xC4268000u, 0x41A00000u, 0x40000000u})
        PutU32(b, f);
    return b;
}

// The same values in the older layout: no gap, 16-bit integers.
Bytes Version120File() {
    Bytes b = {'Q', 'M', 'S', 'T'};
    PutU16(b, 120);
    for (std::uint32_t f : {0x41C80000u, 0x3F800000u, 0x41A00000u, 0x42C80000u})
        PutU32(b, f);
    for (std::uint16_t i : {2, 0, 1, 1, 0, 5})
        PutU16(b, i);
    for (std::uint32_t f : {0x3F000000u, 0xBE800000u, 0u})
        PutU32(b, f);
    for (std::uint16_t i : {4, 2, 0xFFFF})
        PutU16(b, i);
    for (std::uint32_t f : {0xC4268000u, 0x41A00000u, 0x40000000u})
        PutU32(b, f);
    return b;
}

void ExpectExampleValues(const SettingsRecord& r) {
    EXPECT_EQ(r.MapAlt, 25.0f);
    EXPECT_EQ(r.ModelScale, 1.0f);
    EXPECT_EQ(r.RadOff, 20.0f);
    EXPECT_EQ(r.CylLen, 100.0f);
    EXPECT_EQ(r.Meshtype, kSpherical);
    EXPECT_EQ(r.DoLongitude, 0);
    EXPECT_EQ(r.DoLatitude, 1);
    EXPECT_EQ(r.DoPerspective, 1);
    EXPECT_EQ(r.BlackHoles, 0);
    EXPECT_EQ(r.DiskFormat, kCob);
    EXPECT_EQ(r.Xrot, 0.5f);
    EXPECT_EQ(r.Yrot, -0.25f);
    EXPECT_EQ(r.Zrot, 0.0f);
    EXPECT_EQ(r.MeshRes, 4);
    EXPECT_EQ(r.Tooltype, 2);
    EXPECT_EQ(r.Shadetype, -1); // sign-extended in the older layout
    EXPECT_EQ(r.viewCenterX, -666.0f);
    EXPECT_EQ(r.viewCenterY, 20.0f);
    EXPECT_EQ(r.viewZoom, 2.0f);
}

TEST(SettingsFile, ExampleFilesHaveTheirRecordSizes) {
    EXPECT_EQ(Version132File().size(), kSettingsFileSize);
    EXPECT_EQ(Version120File().size(), kOldSettingsFileSize);
}

TEST(SettingsFile, ReadsVersion132) {
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(Version132File(), r), SettingsStatus::Ok);
    ExpectExampleValues(r);
}

TEST(SettingsFile, ReadsVersion120WidenedToTheSameRecord) {
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(Version120File(), r), SettingsStatus::Ok);
    ExpectExampleValues(r);
    // Read again and written, it is the current version.
    const auto rewritten = EncodeSettings(r);
    EXPECT_EQ(rewritten[4], 132);
    EXPECT_EQ(rewritten[5], 0);
}

TEST(SettingsFile, WritesTheCurrentVersionByteForByte) {
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(Version132File(), r), SettingsStatus::Ok);
    Bytes expected = Version132File();
    expected[6] = expected[7] = 0;
    const auto written = EncodeSettings(r);
    EXPECT_EQ(Bytes(written.begin(), written.end()), expected);
}

TEST(SettingsFile, IgnoresTheUnusedWordAndTrailingBytes) {
    Bytes file = Version132File();
    for (int value : {0x0000, 0xFFFF, 0x1234}) {
        file[6] = static_cast<std::uint8_t>(value);
        file[7] = static_cast<std::uint8_t>(value >> 8);
        SettingsRecord r{};
        ASSERT_EQ(DecodeSettings(file, r), SettingsStatus::Ok);
        ExpectExampleValues(r);
    }
    file.push_back(0x55);
    SettingsRecord r{};
    EXPECT_EQ(DecodeSettings(file, r), SettingsStatus::Ok);
}

TEST(SettingsFile, RefusesAWrongMagicWhateverTheVersion) {
    for (Bytes file : {Version132File(), Version120File()}) {
        file[3] = 'X';
        SettingsRecord r{};
        EXPECT_EQ(DecodeSettings(file, r), SettingsStatus::InvalidFile);
    }
    Bytes lower = Version132File();
    lower[0] = 'q';
    SettingsRecord r{};
    EXPECT_EQ(DecodeSettings(lower, r), SettingsStatus::InvalidFile);
}

TEST(SettingsFile, RefusesOtherVersions) {
    for (std::uint16_t version : {0, 119, 121, 131, 133, 0x8400, 0xFFFF}) {
        Bytes file = Version132File();
        file[4] = static_cast<std::uint8_t>(version);
        file[5] = static_cast<std::uint8_t>(version >> 8);
        SettingsRecord r{};
        EXPECT_EQ(DecodeSettings(file, r), SettingsStatus::InvalidVersion) << version;
    }
}

TEST(SettingsFile, EveryShortPrefixIsAnInvalidFileAndLeavesTheRecordAlone) {
    for (const Bytes& file : {Version132File(), Version120File()}) {
        for (std::size_t size = 0; size < file.size(); ++size) {
            // A copy of exactly this size, so that a sanitizer sees any read past it.
            const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
            SettingsRecord r{};
            r.MeshRes = 42;
            ASSERT_EQ(DecodeSettings(prefix, r), SettingsStatus::InvalidFile) << size;
            ASSERT_EQ(r.MeshRes, 42);
        }
    }
}

TEST(SettingsFile, RandomRecordsSurviveAWriteAndARead) {
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::uint32_t words[19];
        for (auto& w : words)
            w = random();
        SettingsRecord r;
        static_assert(sizeof r == sizeof words);
        std::memcpy(&r, words, sizeof r);
        SettingsRecord back{};
        ASSERT_EQ(DecodeSettings(EncodeSettings(r), back), SettingsStatus::Ok);
        // Bit for bit, NaN payloads included.
        ASSERT_EQ(std::memcmp(&r, &back, sizeof r), 0);
    }
}

TEST(SettingsFile, RecordCarriesTheUserFieldsOfTheSettings) {
    MeshSettings s{};
    s.MapAlt = 1.5f, s.ModelScale = 2.5f, s.RadOff = 3.5f, s.CylLen = 4.5f;
    s.Meshtype = 1, s.DoLongitude = 0, s.DoLatitude = 1, s.DoPerspective = 0, s.BlackHoles = 1,
    s.DiskFormat = 6;
    s.Xrot = 0.1f, s.Yrot = 0.2f, s.Zrot = 0.3f, s.MeshRes = 8, s.Tooltype = 2, s.Shadetype = 1;
    s.viewCenterX = 10.0f, s.viewCenterY = 11.0f, s.viewZoom = 1.25f;

    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(EncodeSettings(SettingsRecordOf(s)), r), SettingsStatus::Ok);
    MeshSettings loaded{};
    ApplySettingsRecord(r, loaded);
    const SettingsRecord expected = SettingsRecordOf(s), actual = SettingsRecordOf(loaded);
    EXPECT_EQ(std::memcmp(&expected, &actual, sizeof expected), 0);
    EXPECT_EQ(loaded.MeshRes, 8);
    EXPECT_EQ(loaded.imageRows, 0); // only the file's fields change
}

TEST(SettingsFile, RecordIsReadAsItComesAndCheckedWhenApplied) {
    Bytes file = Version132File();
    const auto putInt = [&](std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    putInt(24, 7);           // Meshtype
    putInt(28, 0);           // DoLongitude
    putInt(32, 0);           // DoLatitude
    putInt(44, 0);           // DiskFormat
    putInt(60, 9);           // MeshRes
    putInt(64, 0xFFFFFFF0u); // Tooltype
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(file, r), SettingsStatus::Ok);
    EXPECT_EQ(r.Meshtype, 7);
    EXPECT_EQ(r.DiskFormat, 0);
    EXPECT_EQ(r.MeshRes, 9);

    MeshSettings s{};
    ApplySettingsRecord(r, s);
    EXPECT_EQ(s.Meshtype, kRectangular);
    EXPECT_EQ(s.DiskFormat, kNxmDxf);
    EXPECT_EQ(s.MeshRes, 1);
    // A settings file may switch every wireframe line off; tools outside their buttons
    // take the defaults.
    EXPECT_EQ(s.DoLatitude, 0);
    EXPECT_EQ(s.DoLongitude, 0);
    EXPECT_EQ(s.Tooltype, 1);
    EXPECT_EQ(s.Shadetype, 0);
    EXPECT_EQ(s.MapAlt, 25.0f);
}

// A record's floats are whatever 32 bits the file holds: NaN and the infinities take the
// INI file's defaults, finite lengths out of the dialog's limits are clamped to them.
TEST(SettingsFile, NumbersThatAreNotFiniteOrOutOfRangeAreMended) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(Version132File(), r), SettingsStatus::Ok);
    r.MapAlt = nan, r.ModelScale = 1e9f, r.RadOff = -inf, r.CylLen = 0.5f;
    r.Xrot = nan, r.Yrot = inf, r.Zrot = -inf;
    r.viewZoom = nan;
    r.DoPerspective = 7, r.BlackHoles = -1;
    SettingsRecord decoded{};
    ASSERT_EQ(DecodeSettings(EncodeSettings(r), decoded), SettingsStatus::Ok);
    MeshSettings s{};
    ApplySettingsRecord(decoded, s);
    EXPECT_EQ(s.MapAlt, 25.0f);
    EXPECT_EQ(s.ModelScale, 500.0f);
    EXPECT_EQ(s.RadOff, 20.0f);
    EXPECT_EQ(s.CylLen, 1.0f);
    EXPECT_EQ(s.Xrot, static_cast<float>(30 / 57.29578));
    EXPECT_EQ(s.Yrot, static_cast<float>(30 / 57.29578));
    EXPECT_EQ(s.Zrot, 0.0f);
    EXPECT_EQ(s.viewCenterX, kViewNotPlaced); // the preview places the view afresh
    EXPECT_EQ(s.DoPerspective, 1);
    EXPECT_EQ(s.BlackHoles, 1);
}

class SettingsFileOnDisk : public ::testing::Test {
  protected:
    std::string PathOf(const char* name) const { return folder_.File(name); }
    TempFolder folder_;
};

TEST_F(SettingsFileOnDisk, SavedFileIsTheEncodedRecordAndLoadsBack) {
    SettingsRecord r{};
    ASSERT_EQ(DecodeSettings(Version120File(), r), SettingsStatus::Ok);
    ASSERT_TRUE(SaveSettingsFile(PathOf("a.stg"), r));
    EXPECT_EQ(std::filesystem::file_size(PathOf("a.stg")), kSettingsFileSize);
    SettingsRecord back{};
    ASSERT_EQ(LoadSettingsFile(PathOf("a.stg"), back), SettingsStatus::Ok);
    ExpectExampleValues(back);
}

TEST_F(SettingsFileOnDisk, OlderAndShortAndMissingFilesLoadAsTheCodecSays) {
    const auto write = [&](const char* name, const Bytes& bytes) {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return PathOf(name);
    };
    SettingsRecord r{};
    EXPECT_EQ(LoadSettingsFile(write("old.stg", Version120File()), r), SettingsStatus::Ok);
    ExpectExampleValues(r);
    Bytes shortFile = Version132File();
    shortFile.resize(83);
    EXPECT_EQ(LoadSettingsFile(write("short.stg", shortFile), r), SettingsStatus::InvalidFile);
    EXPECT_EQ(LoadSettingsFile(PathOf("absent.stg"), r), SettingsStatus::InvalidFile);
    EXPECT_EQ(LoadSettingsFile(folder_.Path().string(), r),
              SettingsStatus::InvalidFile); // a folder
}

TEST_F(SettingsFileOnDisk, FailedSavesAreReported) {
    EXPECT_FALSE(SaveSettingsFile(PathOf("missing/a.stg"), SettingsRecord{}));
    EXPECT_FALSE(SaveSettingsFile("/dev/full", SettingsRecord{}));
}

} // namespace
