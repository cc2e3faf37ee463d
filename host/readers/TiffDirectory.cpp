#include "host/readers/TiffDirectory.h"

#include "host/readers/ReaderError.h"

namespace {
constexpr std::uint16_t kTypeByte = 1, kTypeShort = 3, kTypeLong = 4;

// One 12-byte directory entry; value holds the 4-byte value field as stored.
struct Entry {
    std::uint16_t tag = 0, type = 0;
    std::uint32_t count = 0;
    std::uint8_t value[4] = {};
};

class EntryDecoder {
  public:
    EntryDecoder(ByteReader& reader, bool bigEndian) : reader(reader), bigEndian(bigEndian) {}

    std::uint32_t Bytes(const std::uint8_t* b, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = bigEndian ? v << 8 | b[i] : v | std::uint32_t{b[i]} << (8 * i);
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
        if (position + std::uint64_t{e.count} * size > reader.Size() || !reader.Seek(position))
            return false;
        for (auto& v : out) {
            std::uint8_t b[4];
            if (reader.Read(b, size) != static_cast<std::size_t>(size))
                return false;
            v = Bytes(b, size);
        }
        return true;
    }

  private:
    ByteReader& reader;
    bool bigEndian;
};

bool ReadEntry(ByteReader& reader, EntryDecoder& decoder, Entry& e) {
    std::uint8_t b[12];
    if (reader.Read(b, 12) != 12)
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
    case 256:
        d.width = scalar;
        break;
    case 257:
        d.height = scalar;
        break;
    case 258: {
        // Several samples: their sizes are added up (8, 8, 8 makes 24).
        std::vector<std::uint32_t> sizes;
        if (e.count > 1 && e.count <= 16 && decoder.Array(e, sizes))
            d.bitsPerSample = sizes[0] * e.count;
        else if (e.count > 1)
            return false;
        else
            d.bitsPerSample = scalar;
        break;
    }
    case 259:
        d.compression = static_cast<std::uint16_t>(scalar);
        break;
    case 262:
        if (scalar <= 4)
            d.photometric = static_cast<std::uint16_t>(scalar);
        break;
    case 273:
        if (e.count > 0xFFFF || !decoder.Array(e, d.stripOffsets))
            return false;
        break;
    case 277:
        d.samplesPerPixel = static_cast<std::uint16_t>(scalar);
        break;
    case 278:
        d.rowsPerStrip = scalar;
        break;
    case 279:
        d.stripByteCounts = decoder.Field(e);
        break;
    case 284:
        d.planarConfig = static_cast<std::uint16_t>(scalar);
        break;
    case 320:
        d.colorMapOffset = decoder.Field(e);
        d.hasColorMap = true;
        break;
    default:
        break;
    }
    return true;
}
} // namespace

std::uint16_t ReadTiffDirectory(ByteReader& reader, TiffDirectory& directory) {
    std::uint8_t order[2];
    if (reader.Read(order, 2) != 2)
        return kDamagedFile;
    const bool bigEndian = order[0] == 'M' && order[1] == 'M';
    reader.SetBigEndian(bigEndian);
    directory.bigEndian = bigEndian;
    std::uint16_t version = 0;
    if (!reader.U16(version))
        return kDamagedFile;
    if (version != 42)
        return kUncommonTiffVersion;
    std::uint32_t directoryAt = 0;
    std::uint16_t entries = 0;
    if (!reader.U32(directoryAt) || !reader.Seek(directoryAt) || !reader.U16(entries))
        return kDamagedFile;
    if (directoryAt + 2 + std::uint64_t{entries} * 12 > reader.Size())
        return kDamagedFile;
    EntryDecoder decoder(reader, bigEndian);
    for (std::uint32_t i = 0; i < entries; ++i) {
        Entry e;
        // Entries follow each other directly, whatever an entry made the reader look at.
        if (!reader.Seek(directoryAt + 2 + std::uint64_t{i} * 12) || !ReadEntry(reader, decoder, e))
            return kDamagedFile;
        if (!ApplyEntry(e, decoder, directory))
            return kDamagedFile;
    }
    return kReaderOk;
}
