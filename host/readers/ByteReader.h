#pragma once
// Buffered, bounds-checked reading of an open SourceFile. Every read says whether it got
// all its bytes; nothing is ever read past the end of the file, and a failed read leaves
// the destination's untouched part as it was.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/readers/SourceFile.h"

class ByteReader {
  public:
    // file must be open; it stays owned (and open) by the caller.
    explicit ByteReader(SourceFile& file);

    // Numbers of 16 and 32 bits are little-endian unless set otherwise.
    void SetBigEndian(bool big) { bigEndian = big; }
    std::uint64_t Size() const { return size; }
    std::uint64_t Position() const { return position; }
    // false when position lies beyond the end of the file (the position is kept anyway,
    // so that later reads fail).
    bool Seek(std::uint64_t newPosition);
    // Copies up to count bytes; returns how many were there.
    std::size_t Read(std::uint8_t* destination, std::size_t count);
    bool Skip(std::uint64_t count) { return Seek(position + count); }
    bool U8(std::uint8_t& value);
    bool U16(std::uint16_t& value);
    bool U32(std::uint32_t& value);

  private:
    bool Fill();

    SourceFile& file;
    std::uint64_t size = 0;
    std::uint64_t position = 0;
    bool bigEndian = false;
    std::vector<std::uint8_t> buffer; // file bytes [bufferStart, bufferStart + buffer.size())
    std::uint64_t bufferStart = 0;
};
