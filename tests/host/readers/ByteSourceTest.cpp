// The two byte sources, a file on disk read in chunks and bytes in memory, read alike
// through ByteReader; and every reader gives the same picture from either.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "host/readers/ByteReader.h"
#include "host/readers/ByteSource.h"
#include "host/readers/SourceFile.h"
#include "tests/host/readers/ReadOutcome.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/TiffBuilder.h"

using namespace readertest;

namespace {

// The same bytes as a file in its own folder and in memory.
class BothSources : public ::testing::TestWithParam<bool> {
  protected:
    void Use(std::vector<std::uint8_t> bytes) {
        bytes_ = std::move(bytes);
        if (GetParam()) {
            WriteBytes(folder_.File("bytes"), bytes_);
            source_ = std::make_unique<SourceFile>(folder_.File("bytes"));
        } else {
            source_ = std::make_unique<MemoryFile>(bytes_);
        }
        ASSERT_TRUE(source_->Open());
    }

    TempFolder folder_;
    std::vector<std::uint8_t> bytes_;
    std::unique_ptr<ByteSource> source_;
};

TEST_P(BothSources, ReadEveryByteInPiecesThatStraddleChunks) {
    Use(Pattern(200 * 1024 + 3)); // a file is read 64 KiB at a time
    ByteReader reader(*source_);
    EXPECT_EQ(reader.Size(), bytes_.size());
    std::vector<std::uint8_t> got;
    std::vector<std::uint8_t> piece(4093);
    std::size_t n = 0;
    while ((n = reader.Read(piece.data(), piece.size())) == piece.size())
        got.insert(got.end(), piece.begin(), piece.end());
    got.insert(got.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(got, bytes_);
    EXPECT_EQ(reader.Read(piece.data(), 1), 0u);
}

TEST_P(BothSources, SeekBackIntoAnEarlierChunk) {
    Use(Pattern(150 * 1024));
    ByteReader reader(*source_);
    std::uint8_t b[8];
    for (const std::uint64_t at : {140000u, 10u, 65535u, 131071u, 3u}) {
        ASSERT_TRUE(reader.Seek(at));
        ASSERT_EQ(reader.Read(b, 8), 8u) << at;
        EXPECT_TRUE(std::equal(b, b + 8, bytes_.begin() + static_cast<std::ptrdiff_t>(at))) << at;
    }
}

TEST_P(BothSources, NumbersInEitherByteOrder) {
    Use({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC});
    ByteReader reader(*source_);
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    ASSERT_TRUE(reader.U16(u16));
    ASSERT_TRUE(reader.U32(u32));
    EXPECT_EQ(u16, 0x3412);
    EXPECT_EQ(u32, 0xBC9A7856u);
    reader.SetBigEndian(true);
    reader.Seek(0);
    ASSERT_TRUE(reader.U16(u16));
    ASSERT_TRUE(reader.U32(u32));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x56789ABCu);
}

TEST_P(BothSources, AShortReadFillsOnlyWhatTheSourceHas) {
    Use({1, 2, 3, 4, 5});
    ByteReader reader(*source_);
    ASSERT_TRUE(reader.Seek(3));
    std::uint8_t b[4] = {9, 9, 9, 9};
    EXPECT_EQ(reader.Read(b, 4), 2u);
    EXPECT_EQ(b[0], 4);
    EXPECT_EQ(b[1], 5);
    EXPECT_EQ(b[2], 9);
    std::uint8_t u8 = 0;
    EXPECT_FALSE(reader.U8(u8));
    reader.Seek(3);
    std::uint32_t u32 = 7;
    EXPECT_FALSE(reader.U32(u32));
    EXPECT_EQ(u32, 7u);
}

TEST_P(BothSources, SeekingPastTheEndFailsAndSoDoLaterReads) {
    Use({1, 2, 3, 4, 5});
    ByteReader reader(*source_);
    EXPECT_TRUE(reader.Seek(5)); // the end itself is a place
    EXPECT_FALSE(reader.Seek(6));
    std::uint8_t b = 0;
    EXPECT_EQ(reader.Read(&b, 1), 0u);
    EXPECT_FALSE(reader.Seek(std::uint64_t{1} << 40));
    EXPECT_EQ(reader.Read(&b, 1), 0u);
}

INSTANTIATE_TEST_SUITE_P(FileAndMemory, BothSources, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "File" : "Memory"; });

TEST(SourceFile, ClosedGivesNothingUntilOpenedAgain) {
    TempFolder folder;
    WriteBytes(folder.File("five"), {1, 2, 3, 4, 5});
    SourceFile file(folder.File("five"));
    ASSERT_TRUE(file.IsOpen());
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_TRUE(file.BytesAt(0).empty());
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.Size(), 5u);
    ASSERT_EQ(file.BytesAt(2).size(), 3u);
    EXPECT_EQ(file.BytesAt(2)[0], 3);
}

TEST(SourceFile, MissingFileCannotBeOpened) {
    TempFolder folder;
    SourceFile file(folder.File("missing.bmp"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open());
}

// Pictures larger than one chunk, and the damaged files, read from disk and from memory.
TEST(ByteSources, ReadersGiveTheSamePictureFromFileAndMemory) {
    TempFolder folder;
    BmpLayout bmp;
    bmp.width = 301;
    bmp.height = 97;
    bmp.bitCount = 24;
    bmp.pixelData = Pattern(std::size_t{RowStride(301, 24)} * 97);
    WriteBytes(folder.File("large.bmp"), BuildBmp(bmp));
    WriteBytes(folder.File("large.tif"), GrayTiff(400, 300, Pattern(400 * 300), true, 7));
    std::vector<std::string> paths = {folder.File("large.bmp"), folder.File("large.tif")};
    for (const auto& path : paths)
        ASSERT_TRUE(ReadFile(path).valid) << path;
    const std::string crashers = std::string(QM_SOURCE_DIR) + "/tests/data/readers/crashers/";
    for (const auto& entry : std::filesystem::directory_iterator(crashers))
        if (entry.path().extension() != ".txt")
            paths.push_back(entry.path().string());
    for (const auto& path : paths) {
        SCOPED_TRACE(path);
        const auto bytes = ReadBytes(path);
        const ReadOutcome fromFile = ReadFile(path);
        const ReadOutcome fromMemory = ReadMemory(bytes);
        EXPECT_EQ(fromFile.valid, fromMemory.valid);
        EXPECT_EQ(fromFile.error, fromMemory.error);
        EXPECT_EQ(fromFile.shown.size(), fromMemory.shown.size());
        EXPECT_EQ(fromFile.decoded.rows, fromMemory.decoded.rows);
        EXPECT_EQ(fromFile.decoded.RgbPixels(), fromMemory.decoded.RgbPixels());
    }
    EXPECT_GT(paths.size(), 20u);
}

} // namespace
