#include "tests/cli/pictures/StripTiffs.h"

#include <gtest/gtest.h>
#include <tiffio.h>
#include <zlib.h>

#include "tests/support/LittleEndian.h"

namespace picturetest {

namespace {
using testbytes::Put16;
using testbytes::Put32;
void Patch32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
} // namespace

std::vector<std::uint8_t> BuildStripTiff(const StripTiff& t) {
    constexpr std::uint16_t kShort = 3, kLong = 4;
    const auto n = static_cast<std::uint32_t>(t.strips.size());
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count, value;
    };
    // The two strip arrays follow the directory; their places are filled in below.
    std::vector<Entry> entries = {
        {TIFFTAG_IMAGEWIDTH, kLong, 1, t.width},
        {TIFFTAG_IMAGELENGTH, kLong, 1, t.height},
        {TIFFTAG_BITSPERSAMPLE, kShort, 1, t.bitsPerSample},
        {TIFFTAG_COMPRESSION, kShort, 1, t.compression},
        {TIFFTAG_PHOTOMETRIC, kShort, 1, PHOTOMETRIC_MINISBLACK},
        {TIFFTAG_STRIPOFFSETS, kLong, n, 0},
        {TIFFTAG_SAMPLESPERPIXEL, kShort, 1, 1},
        {TIFFTAG_ROWSPERSTRIP, kLong, 1, t.rowsPerStrip},
        {TIFFTAG_STRIPBYTECOUNTS, kLong, n, 0},
    };
    const std::uint32_t directory = 8;
    const std::uint32_t arrays =
        directory + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    const std::uint32_t data = arrays + 8 * n;
    std::vector<std::uint32_t> offsets, counts;
    std::uint32_t at = data;
    for (std::uint32_t i = 0; i < n; ++i) {
        offsets.push_back(i < t.offsets.size() ? t.offsets[i] : at);
        counts.push_back(i < t.byteCounts.size() ? t.byteCounts[i]
                                                 : static_cast<std::uint32_t>(t.strips[i].size()));
        at += static_cast<std::uint32_t>(t.strips[i].size());
    }
    std::vector<std::uint8_t> out = {'I', 'I', 42, 0};
    Put32(out, directory);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    for (Entry& e : entries) {
        Put16(out, e.tag);
        Put16(out, e.type);
        Put32(out, e.count);
        const bool strips = e.tag == TIFFTAG_STRIPOFFSETS || e.tag == TIFFTAG_STRIPBYTECOUNTS;
        const std::size_t field = out.size();
        if (e.type == kShort) {
            Put16(out, e.value);
            Put16(out, 0);
        } else {
            Put32(out, e.value);
        }
        if (strips) { // one value fits the field; more live in the arrays
            const auto& values = e.tag == TIFFTAG_STRIPOFFSETS ? offsets : counts;
            const std::uint32_t array = arrays + (e.tag == TIFFTAG_STRIPOFFSETS ? 0 : 4 * n);
            Patch32(out, field, n == 1 ? values[0] : array);
        }
    }
    Put32(out, 0); // no next directory
    for (std::uint32_t v : offsets)
        Put32(out, v);
    for (std::uint32_t v : counts)
        Put32(out, v);
    EXPECT_EQ(out.size(), data);
    for (const auto& strip : t.strips)
        out.insert(out.end(), strip.begin(), strip.end());
    return out;
}

std::vector<std::uint8_t> Deflated(const std::vector<std::uint8_t>& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<std::uint8_t> out(size);
    EXPECT_EQ(compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9),
              Z_OK);
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> LzwLiterals(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint32_t> codes = {kLzwClear};
    codes.insert(codes.end(), bytes.begin(), bytes.end());
    codes.push_back(kLzwEnd);
    return LzwCodes(codes);
}

std::vector<std::uint8_t> LzwCodes(const std::vector<std::uint32_t>& codes) {
    constexpr std::uint32_t kBits = 9;
    EXPECT_LE(codes.size(), 250u);
    std::vector<std::uint8_t> out;
    std::uint32_t buffer = 0, held = 0;
    for (const std::uint32_t code : codes) {
        buffer = buffer << kBits | code;
        held += kBits;
        while (held >= 8) {
            out.push_back(static_cast<std::uint8_t>(buffer >> (held - 8)));
            held -= 8;
        }
    }
    if (held > 0)
        out.push_back(static_cast<std::uint8_t>(buffer << (8 - held)));
    return out;
}

} // namespace picturetest
