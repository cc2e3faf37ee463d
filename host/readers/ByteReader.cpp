#include "host/readers/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kChunk = 64 * 1024;

std::uint64_t FileSize(std::FILE* handle) {
    if (handle == nullptr || std::fseek(handle, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(handle);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}
} // namespace

ByteReader::ByteReader(SourceFile& file) : file(file) {
    size = file.InMemory() ? file.Memory().size() : FileSize(file.Handle());
}

bool ByteReader::Seek(std::uint64_t newPosition) {
    position = newPosition;
    return position <= size;
}

bool ByteReader::Fill() {
    if (position >= size || file.Handle() == nullptr)
        return false;
    buffer.resize(kChunk);
    if (std::fseek(file.Handle(), static_cast<long>(position), SEEK_SET) != 0)
        return false;
    const std::size_t got = std::fread(buffer.data(), 1, kChunk, file.Handle());
    buffer.resize(got);
    bufferStart = position;
    return got > 0;
}

std::size_t ByteReader::Read(std::uint8_t* destination, std::size_t count) {
    if (file.InMemory()) {
        const auto bytes = file.Memory();
        if (position >= size)
            return 0;
        const std::size_t got =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, size - position));
        std::memcpy(destination, bytes.data() + position, got);
        position += got;
        return got;
    }
    std::size_t done = 0;
    while (done < count) {
        const bool inBuffer = position >= bufferStart && position < bufferStart + buffer.size();
        if (!inBuffer && !Fill())
            break;
        const std::size_t offset = static_cast<std::size_t>(position - bufferStart);
        const std::size_t got = std::min(count - done, buffer.size() - offset);
        std::memcpy(destination + done, buffer.data() + offset, got);
        done += got;
        position += got;
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
    value = bigEndian ? static_cast<std::uint16_t>(b[0] << 8 | b[1])
                      : static_cast<std::uint16_t>(b[1] << 8 | b[0]);
    return true;
}

bool ByteReader::U32(std::uint32_t& value) {
    std::uint8_t b[4];
    if (Read(b, 4) != 4)
        return false;
    value = bigEndian ? std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 |
                            std::uint32_t{b[2]} << 8 | b[3]
                      : std::uint32_t{b[3]} << 24 | std::uint32_t{b[2]} << 16 |
                            std::uint32_t{b[1]} << 8 | b[0];
    return true;
}
