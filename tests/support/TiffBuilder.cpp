#include "tests/support/TiffBuilder.h"

namespace readertest {

namespace {
constexpr std::uint16_t kTypeShort = 3, kTypeLong = 4;
} // namespace

TiffBuilder::TiffBuilder(bool bigEndian) : bigEndian_(bigEndian) {}

void TiffBuilder::Put16(std::vector<std::uint8_t>& out, std::uint16_t v) const {
    if (bigEndian_)
        out.insert(out.end(), {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
    else
        out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
}

void TiffBuilder::Put32(std::vector<std::uint8_t>& out, std::uint32_t v) const {
    if (bigEndian_) {
        Put16(out, static_cast<std::uint16_t>(v >> 16));
        Put16(out, static_cast<std::uint16_t>(v));
    } else {
        Put16(out, static_cast<std::uint16_t>(v));
        Put16(out, static_cast<std::uint16_t>(v >> 16));
    }
}

std::uint32_t TiffBuilder::AddData(const std::vector<std::uint8_t>& bytes) {
    const auto at = static_cast<std::uint32_t>(8 + data_.size());
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    if (data_.size() % 2 != 0)
        data_.push_back(0);
    return at;
}

std::uint32_t TiffBuilder::AddShorts(const std::vector<std::uint16_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (auto v : values)
        Put16(bytes, v);
    return AddData(bytes);
}

std::uint32_t TiffBuilder::AddLongs(const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (auto v : values)
        Put32(bytes, v);
    return AddData(bytes);
}

void TiffBuilder::Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                        std::uint32_t field) {
    Put16(entries_, tag);
    Put16(entries_, type);
    Put32(entries_, count);
    Put32(entries_, field);
    ++entryCount_;
}

void TiffBuilder::Short(std::uint16_t tag, std::uint16_t value, std::uint32_t count) {
    // A SHORT sits in the first two bytes of the value field.
    std::vector<std::uint8_t> field;
    Put16(field, value);
    Put16(field, 0);
    Put16(entries_, tag);
    Put16(entries_, kTypeShort);
    Put32(entries_, count);
    entries_.insert(entries_.end(), field.begin(), field.end());
    ++entryCount_;
}

void TiffBuilder::Long(std::uint16_t tag, std::uint32_t value, std::uint32_t count) {
    Entry(tag, kTypeLong, count, value);
}

std::vector<std::uint8_t> TiffBuilder::Build() const {
    std::vector<std::uint8_t> out;
    out.push_back(bigEndian_ ? 'M' : 'I');
    out.push_back(bigEndian_ ? 'M' : 'I');
    Put16(out, version_);
    Put32(out, static_cast<std::uint32_t>(8 + data_.size()));
    out.insert(out.end(), data_.begin(), data_.end());
    Put16(out, entryCount_);
    out.insert(out.end(), entries_.begin(), entries_.end());
    Put32(out, 0); // no next directory
    return out;
}

std::vector<std::uint8_t> GrayTiff(std::uint16_t width, std::uint16_t height,
                                   const std::vector<std::uint8_t>& pixels, bool bigEndian,
                                   std::uint16_t rowsPerStrip) {
    TiffBuilder tiff(bigEndian);
    std::vector<std::uint32_t> offsets;
    for (std::uint32_t row = 0; row < height; row += rowsPerStrip) {
        const std::uint32_t rows = std::min<std::uint32_t>(rowsPerStrip, height - row);
        offsets.push_back(
            tiff.AddData({pixels.begin() + row * width, pixels.begin() + (row + rows) * width}));
    }
    tiff.Short(256, width);
    tiff.Short(257, height);
    tiff.Short(258, 8);
    tiff.Short(259, 1);
    tiff.Short(262, 1);
    if (offsets.size() == 1)
        tiff.Long(273, offsets[0]);
    else
        tiff.Long(273, tiff.AddLongs(offsets), static_cast<std::uint32_t>(offsets.size()));
    tiff.Short(278, rowsPerStrip);
    return tiff.Build();
}

std::vector<std::uint8_t> TiffWithStripsMissing() {
    TiffBuilder t;
    const auto first = t.AddData({1, 2, 3, 4, 5, 6, 7, 8});
    const auto table = t.AddLongs({first, 0x7FFFFFF0u});
    t.Short(256, 4);
    t.Short(257, 5);
    t.Short(258, 8);
    t.Long(273, table, 2);
    t.Short(278, 2);
    return t.Build();
}

} // namespace readertest
