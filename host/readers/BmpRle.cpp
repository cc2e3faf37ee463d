#include "host/readers/BmpRle.h"

namespace {
// Writes pixels one by one into the current row, dropping those right of the picture.
class RlePainter {
  public:
    RlePainter(std::uint16_t bits, std::uint16_t width, std::uint16_t height, std::uint32_t stride,
               std::uint8_t* buffer)
        : bits(bits), width(width), height(height), stride(stride), buffer(buffer) {}

    bool InPicture() const { return y < height; }
    void NextRow() {
        x = 0;
        ++y;
    }
    void Move(std::uint8_t dx, std::uint8_t dy) {
        x += dx;
        y += dy;
    }
    void Put(std::uint8_t index) {
        if (x < width && y < height) {
            std::uint8_t* row = buffer + std::uint64_t{height - 1 - y} * stride;
            if (bits == 8)
                row[x] = index;
            else
                row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index & 0x0F);
        }
        ++x;
    }

  private:
    std::uint16_t bits, width, height;
    std::uint32_t stride;
    std::uint8_t* buffer;
    std::uint32_t x = 0, y = 0; // y counts from the bottom row
};

// A run of count pixels: value repeated (8-bit) or its two nibbles alternating (4-bit).
void PutRun(RlePainter& painter, std::uint16_t bits, std::uint8_t count, std::uint8_t value) {
    for (std::uint8_t k = 0; k < count; ++k)
        painter.Put(bits == 8 ? value : (k % 2 == 0 ? value >> 4 : value & 0x0F));
}

// count literal pixels, stored as bytes (8-bit) or nibbles (4-bit), padded to 16 bits.
bool PutLiteral(ByteReader& reader, RlePainter& painter, std::uint16_t bits, std::uint8_t count) {
    const unsigned bytes = bits == 8 ? count : (count + 1u) / 2;
    std::uint8_t data[256];
    if (reader.Read(data, bytes + bytes % 2) < bytes)
        return false;
    for (unsigned k = 0; k < count; ++k)
        painter.Put(bits == 8 ? data[k] : (k % 2 == 0 ? data[k / 2] >> 4 : data[k / 2] & 0x0F));
    return true;
}
} // namespace

void DecodeBmpRle(ByteReader& reader, std::uint16_t bitsPerPixel, std::uint16_t width,
                  std::uint16_t height, std::uint32_t stride, std::uint8_t* buffer) {
    RlePainter painter(bitsPerPixel, width, height, stride, buffer);
    std::uint8_t code[2];
    while (painter.InPicture() && reader.Read(code, 2) == 2) {
        if (code[0] > 0) {
            PutRun(painter, bitsPerPixel, code[0], code[1]);
            continue;
        }
        switch (code[1]) {
        case 0: // end of row
            painter.NextRow();
            break;
        case 1: // end of picture
            return;
        case 2: { // skip right and up
            std::uint8_t delta[2];
            if (reader.Read(delta, 2) != 2)
                return;
            painter.Move(delta[0], delta[1]);
            break;
        }
        default:
            if (!PutLiteral(reader, painter, bitsPerPixel, code[1]))
                return;
        }
    }
}
