#pragma once
// Bounds-checked reading of an open ByteSource. Every read says whether it got all its
// bytes; nothing is ever read past the end of the source, and a failed read leaves the
// destination's untouched part as it was.

#include <cstddef>
#include <cstdint>

#include "host/readers/ByteSource.h"

class ByteReader {
  public:
    // source must be open; it stays owned (and open) by the caller.
    explicit ByteReader(ByteSource& source);

    // Numbers of 16 and 32 bits are little-endian unless set otherwise.
    void SetBigEndian(bool big) { bigEndian_ = big; }
    std::uint64_t Size() const { return size_; }
    // false when position lies beyond the end of the source (the position is kept anyway,
    // so that later reads fail).
    bool Seek(std::uint64_t position);
    // Copies up to count bytes; returns how many were there.
    std::size_t Read(std::uint8_t* destination, std::size_t count);
    bool U8(std::uint8_t& value);
    bool U16(std::uint16_t& value);
    bool U32(std::uint32_t& value);

  private:
    ByteSource& source_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool bigEndian_ = false;
};
