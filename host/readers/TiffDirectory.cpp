#include "host/readers/TiffDirectory.h"

namespace {
constexpr std::uint16_t kTiffVersion = 42;

// The tags this reader looks at; every other entry is passed over.
constexpr std::uint16_t kTagImageWidth = 256;
constexpr std::uint16_t kTagImageLength = 257;
constexpr std::uint16_t kTagBitsPerSample = 258;
constexpr std::uint16_t kTagCompression = 259;
constexpr std::uint16_t kTagPhotometricInterpretation = 262;
constexpr std::uint16_t kTagStripOffsets = 273;
constexpr std::uint16_t kTagSamplesPerPixel = 277;
constexpr std::uint16_t kTagRowsPerStrip = 278;
constexpr std::uint16_t kTagStripByteCounts = 279;
constexpr std::uint16_t kTagPlanarConfiguration = 284;
constexpr std::uint16_t kTagColorMap = 320;
constexpr std::uint16_t kTagTileWidth = 322;
constexpr std::uint16_t kTagTileLength = 323;
constexpr std::uint16_t kTagTileOffsets = 324;
constexpr std::uint16_t kTagTileByteCounts = 325;

constexpr std::uint16_t kTypeByte = 1, kTypeShort = 3, kTypeLong = 4;
constexpr std::uint32_t kEntryBytes = 12;

// One directory entry; value holds the 4-byte value field as stored.
struct Entry {
    std::uint16_t tag = 0, type = 0;
    std::uint32_t count = 0;
    std::uint8_t value[4] = {};
};

class EntryDecoder {
  public:
    EntryDecoder(ByteReader& reader, bool bigEndian) : reader_(reader), bigEndian_(bigEndian) {}

    std::uint32_t Bytes(const std::uint8_t* b, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = bigEndian_ ? v << 8 | b[i] : v | std::uint32_t{b[i]} << (8 * i);
        return v;
    }
    // The first value of the entry, honouring its field type.
    std::uint32_t Scalar(const Entry& e) const {
        if (e.type == kTypeByte)
            return e.value[0];
        if (e.type == kTypeLong)
            return Bytes(e.value, 4);
        return Bytes(e.value, 2);
    }
    std::uint32_t Field(const Entry& e) const { return Bytes(e.value, 4); }
    static int ElementSize(const Entry& e) { return e.type == kTypeShort ? 2 : 4; }

    // All values of a SHORT or LONG array, inline when they fit the value field.
    bool Array(const Entry& e, std::vector<std::uint32_t>& out) const {
        const int size = ElementSize(e);
        out.assign(e.count, 0);
        if (std::uint64_t{e.count} * size <= 4) {
            for (std::uint32_t i = 0; i < e.count; ++i)
                out[i] = Bytes(e.value + i * size, size);
            return true;
        }
        const std::uint64_t position = Field(e);
        if (position + std::uint64_t{e.count} * size > reader_.Size() || !reader_.Seek(position))
            return false;
        for (auto& v : out) {
            std::uint8_t b[4];
            if (reader_.Read(b, size) != static_cast<std::size_t>(size))
                return false;
            v = Bytes(b, size);
        }
        return true;
    }

  private:
    ByteReader& reader_;
    bool bigEndian_;
};

bool ReadEntry(ByteReader& reader, EntryDecoder& decoder, Entry& e) {
    std::uint8_t b[kEntryBytes];
    if (reader.Read(b, kEntryBytes) != kEntryBytes)
        return false;
    e.tag = static_cast<std::uint16_t>(decoder.Bytes(b, 2));
    e.type = static_cast<std::uint16_t>(decoder.Bytes(b + 2, 2));
    e.count = decoder.Bytes(b + 4, 4);
    for (int i = 0; i < 4; ++i)
        e.value[i] = b[8 + i];
    return true;
}

// Applies one entry; false when the entry points at data the file does not hold.
bool ApplyEntry(const Entry& e, const EntryDecoder& decoder, TiffDirectory& d) {
    const std::uint32_t scalar = decoder.Scalar(e);
    switch (e.tag) {
    case kTagImageWidth:
        d.width = scalar;
        break;
    case kTagImageLength:
        d.height = scalar;
        break;
    case kTagBitsPerSample: {
        // Several samples: the first sample's size times their count (8, 8, 8 makes 24).
        std::vector<std::uint32_t> sizes;
        if (e.count > 1 && e.count <= 16 && decoder.Array(e, sizes))
            d.bitsPerSample = sizes[0] * e.count;
        else if (e.count > 1)
            return false;
        else
            d.bitsPerSample = scalar;
        break;
    }
    case kTagCompression:
        d.compression = static_cast<std::uint16_t>(scalar);
        break;
    case kTagPhotometricInterpretation:
        if (scalar <= 4)
            d.photometric = static_cast<std::uint16_t>(scalar);
        break;
    case kTagStripOffsets:
        if (e.count > 0xFFFF || !decoder.Array(e, d.stripOffsets))
            return false;
        d.hasStripOffsets = true;
        break;
    case kTagSamplesPerPixel:
        d.samplesPerPixel = static_cast<std::uint16_t>(scalar);
        break;
    case kTagRowsPerStrip:
        d.rowsPerStrip = scalar;
        break;
    case kTagStripByteCounts:
        d.stripByteCounts = decoder.Field(e);
        break;
    case kTagPlanarConfiguration:
        d.planarConfig = static_cast<std::uint16_t>(scalar);
        break;
    case kTagColorMap:
        d.colorMapOffset = decoder.Field(e);
        d.hasColorMap = true;
        break;
    case kTagTileWidth:
    case kTagTileLength:
    case kTagTileOffsets:
    case kTagTileByteCounts:
        d.hasTiles = true;
        break;
    default:
        break;
    }
    return true;
}
} // namespace

ReaderError ReadTiffDirectory(ByteReader& reader, TiffDirectory& directory) {
    std::uint8_t order[2];
    if (reader.Read(order, 2) != 2)
        return ReaderError::DamagedFile;
    const bool bigEndian = order[0] == 'M' && order[1] == 'M';
    reader.SetBigEndian(bigEndian);
    directory.bigEndian = bigEndian;
    std::uint16_t version = 0;
    if (!reader.U16(version))
        return ReaderError::DamagedFile;
    if (version != kTiffVersion)
        return ReaderError::UncommonTiffVersion;
    std::uint32_t directoryAt = 0;
    std::uint16_t entries = 0;
    if (!reader.U32(directoryAt) || !reader.Seek(directoryAt) || !reader.U16(entries))
        return ReaderError::DamagedFile;
    if (directoryAt + 2 + std::uint64_t{entries} * kEntryBytes > reader.Size())
        return ReaderError::DamagedFile;
    EntryDecoder decoder(reader, bigEndian);
    for (std::uint32_t i = 0; i < entries; ++i) {
        Entry e;
        // Entries follow each other directly, whatever an entry made the reader look at.
        if (!reader.Seek(directoryAt + 2 + std::uint64_t{i} * kEntryBytes) ||
            !ReadEntry(reader, decoder, e))
            return ReaderError::DamagedFile;
        if (!ApplyEntry(e, decoder, directory))
            return ReaderError::DamagedFile;
    }
    return ReaderError::None;
}
