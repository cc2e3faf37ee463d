#include "host/readers/ByteReader.h"

#include <algorithm>
#include <cstring>

ByteReader::ByteReader(ByteSource& source) : source_(source), size_(source.Size()) {}

bool ByteReader::Seek(std::uint64_t position) {
    position_ = position;
    return position_ <= size_;
}

std::size_t ByteReader::Read(std::uint8_t* destination, std::size_t count) {
    std::size_t done = 0;
    while (done < count && position_ < size_) {
        const auto bytes = source_.BytesAt(position_);
        if (bytes.empty())
            break;
        const std::size_t got = std::min(count - done, bytes.size());
        std::memcpy(destination + done, bytes.data(), got);
        done += got;
        position_ += got;
    }
    return done;
}

bool ByteReader::U8(std::uint8_t& value) {
    return Read(&value, 1) == 1;
}

bool ByteReader::U16(std::uint16_t& value) {
    std::uint8_t b[2];
    if (Read(b, 2) != 2)
        return false;
    value = bigEndian_ ? static_cast<std::uint16_t>(b[0] << 8 | b[1])
                       : static_cast<std::uint16_t>(b[1] << 8 | b[0]);
    return true;
}

bool ByteReader::U32(std::uint32_t& value) {
    std::uint8_t b[4];
    if (Read(b, 4) != 4)
        return false;
    value = bigEndian_ ? std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 |
                             std::uint32_t{b[2]} << 8 | b[3]
                       : std::uint32_t{b[3]} << 24 | std::uint32_t{b[2]} << 16 |
                             std::uint32_t{b[1]} << 8 | b[0];
    return true;
}
