// Headers that claim more than the tool may hold, or more than their file can carry, are
// refused before the picture's memory is taken. The program watches its own allocations.
#include <gtest/gtest.h>

#include <png.h>
#include <tiffio.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/cli/pictures/PictureFiles.h"
#include "tests/cli/pictures/StripTiffs.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {
std::atomic<std::size_t> largestAllocation{0};

void* Taken(std::size_t size) {
    std::size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void Given(void* block) {
    std::free(block);
}
} // namespace

void* operator new(std::size_t size) {
    return Taken(size);
}
void* operator new[](std::size_t size) {
    return Taken(size);
}
void operator delete(void* block) noexcept {
    Given(block);
}
void operator delete[](void* block) noexcept {
    Given(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Given(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Given(block);
}

using namespace picturetest;

namespace {

constexpr std::size_t kSmallAllocation = 4 << 20;

// The big-endian 32-bit value at bytes[at].
void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// A small PNG whose header then claims width x height (its CRC mended).
std::vector<std::uint8_t> PngClaiming(const TempFolder& dir, int colorType, std::uint32_t width,
                                      std::uint32_t height) {
    PngPicture png;
    png.width = 4;
    png.height = 4;
    png.colorType = colorType;
    png.samples.assign(4 * 4 * (colorType == PNG_COLOR_TYPE_RGB ? 3 : 1), 9);
    WritePng(dir.File("small.png"), png);
    std::vector<std::uint8_t> bytes = ReadBytes(dir.File("small.png"));
    Put32(bytes, 16, width); // the IHDR's data starts at 16
    Put32(bytes, 20, height);
    Put32(bytes, 29, static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17)));
    return bytes;
}

std::string RefusalOf(const std::string& path) {
    largestAllocation = 0;
    const Loaded loaded = Load(path);
    EXPECT_LT(largestAllocation.load(), kSmallAllocation);
    EXPECT_TRUE(loaded.failure);
    EXPECT_FALSE(loaded.picture.image);
    return loaded.failure ? loaded.failure->message : std::string();
}

const std::string kTooLarge = "This image is too large for quorvmesh (at most 65535 pixels each "
                              "way and 512 MB of pixels). The image cannot be opened.";

TEST(PictureLimits, PngHeadersBeyondTheLimitsOrTheFileAreRefusedBeforeAllocating) {
    TempFolder dir;
    const std::string path = dir.File("claim.png");
    WriteBytes(path, PngClaiming(dir, PNG_COLOR_TYPE_GRAY, 65536, 1));
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": " + kTooLarge);
    WriteBytes(path, PngClaiming(dir, PNG_COLOR_TYPE_RGB, 20000, 20000)); // 1.2 GB
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": " + kTooLarge);
    // 400 MB fits the limits, but not a file of a hundred bytes.
    WriteBytes(path, PngClaiming(dir, PNG_COLOR_TYPE_GRAY, 20000, 20000));
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": the PNG file is truncated");
}

// The small JPEG at path with its frame header claiming width x height.
std::vector<std::uint8_t> JpegClaiming(const std::string& path, std::uint16_t width,
                                       std::uint16_t height) {
    WriteJpeg(path, 16, 16, 1, std::vector<std::uint8_t>(256, 77));
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    const std::uint8_t frame[] = {0xFF, 0xC0};
    const auto at = static_cast<std::size_t>(
        std::search(bytes.begin(), bytes.end(), std::begin(frame), std::end(frame)) -
        bytes.begin());
    EXPECT_LT(at + 9, bytes.size());
    bytes[at + 5] = static_cast<std::uint8_t>(height >> 8); // after marker, length, precision
    bytes[at + 6] = static_cast<std::uint8_t>(height & 0xFF);
    bytes[at + 7] = static_cast<std::uint8_t>(width >> 8);
    bytes[at + 8] = static_cast<std::uint8_t>(width & 0xFF);
    return bytes;
}

TEST(PictureLimits, JpegHeadersBeyondTheLimitsOrTheFileAreRefusedBeforeAllocating) {
    TempFolder dir;
    const std::string path = dir.File("claim.jpg");
    WriteBytes(path, JpegClaiming(path, 60000, 60000));
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": " + kTooLarge);
    WriteBytes(path, JpegClaiming(path, 20000, 20000));
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": the JPEG file is truncated");
}

TEST(PictureLimits, TiffHeadersBeyondTheLimitsAreRefusedBeforeAllocating) {
    TempFolder dir;
    const std::string path = dir.File("claim.tif");
    TiffPicture tiff;
    tiff.width = 4;
    tiff.height = 4;
    tiff.bitsPerSample = 32;
    tiff.sampleFormat = SAMPLEFORMAT_IEEEFP;
    tiff.data.resize(64);
    WriteTiff(path, tiff);
    // The same file edited in place to claim 60000 x 60000 float samples (14 GB).
    TIFF* edit = TIFFOpen(path.c_str(), "r+");
    ASSERT_NE(edit, nullptr);
    TIFFSetField(edit, TIFFTAG_IMAGEWIDTH, 60000u);
    TIFFSetField(edit, TIFFTAG_IMAGELENGTH, 60000u);
    TIFFSetField(edit, TIFFTAG_ROWSPERSTRIP, 60000u);
    TIFFRewriteDirectory(edit);
    TIFFClose(edit);
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path + ": " + kTooLarge);
}

// Half a gigabyte of 8-bit gray, within the tool's limits, announced by files of a few hundred
// bytes of every kind the decoders read: none may take the picture's memory.
TEST(PictureLimits, TinyFilesAnnouncing65535x8000PixelsAreRefusedBeforeAllocating) {
    TempFolder dir;
    const std::string png = dir.File("claim.png");
    WriteBytes(png, PngClaiming(dir, PNG_COLOR_TYPE_GRAY, 65535, 8000));
    EXPECT_EQ(RefusalOf(png), "quorvmesh: " + png + ": the PNG file is truncated");
    const std::string jpeg = dir.File("claim.jpg"); // libjpeg's widest is 65500
    WriteBytes(jpeg, JpegClaiming(jpeg, 65500, 8000));
    EXPECT_EQ(RefusalOf(jpeg), "quorvmesh: " + jpeg + ": the JPEG file is truncated");
    for (const std::uint16_t compression :
         {COMPRESSION_ADOBE_DEFLATE, COMPRESSION_LZW, COMPRESSION_PACKBITS, COMPRESSION_CCITTFAX4,
          COMPRESSION_JPEG, COMPRESSION_ZSTD}) {
        SCOPED_TRACE(compression);
        StripTiff tiff;
        tiff.width = 65535;
        tiff.height = 8000;
        tiff.rowsPerStrip = 8000;
        tiff.compression = compression;
        tiff.strips = {Deflated(std::vector<std::uint8_t>(4096, 200))};
        const std::string path = dir.File("claim.tif");
        WriteBytes(path, BuildStripTiff(tiff));
        EXPECT_NE(RefusalOf(path).find("the TIFF file is damaged or truncated (strip 0 holds"),
                  std::string::npos);
    }
}

// 8000 strips of a row each, every one of them long enough and every one the same 80 bytes.
TEST(PictureLimits, StripsSharingTheirBytesAreRefusedBeforeAllocating) {
    TempFolder dir;
    StripTiff tiff;
    tiff.width = 65535;
    tiff.height = 8000;
    tiff.compression = COMPRESSION_ADOBE_DEFLATE;
    tiff.strips.resize(tiff.height);
    tiff.strips[0] = Deflated(std::vector<std::uint8_t>(65535, 200));
    tiff.byteCounts.assign(tiff.height, static_cast<std::uint32_t>(tiff.strips[0].size()));
    tiff.offsets.assign(tiff.height, 0);
    const auto at = static_cast<std::uint32_t>(BuildStripTiff(tiff).size() - tiff.strips[0].size());
    tiff.offsets.assign(tiff.height, at);
    const std::string path = dir.File("shared.tif");
    WriteBytes(path, BuildStripTiff(tiff));
    EXPECT_NE(RefusalOf(path).find("(its 8000 strips need 524280000 bytes of pixels"),
              std::string::npos);
}

// Found by a run of quorvmesh: 32 bytes of Deflate for 10496 x 41019 pixels. It took 85 s,
// 1.4 GB and wrote 43 GB of STL.
TEST(PictureLimits, TheDeflateTiffOf558BytesIsRefusedBeforeAllocating) {
    const std::string path = std::string(QM_SOURCE_DIR) +
                             "/fuzz/pictures/findings/qm_fuzz_pictures/deflate-558-bytes.tif";
    EXPECT_EQ(RefusalOf(path), "quorvmesh: " + path +
                                   ": the TIFF file is damaged or truncated (strip 0 holds 32 "
                                   "bytes, too few for its 430535424 bytes of pixels)");
}

} // namespace
