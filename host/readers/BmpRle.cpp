#include "host/readers/BmpRle.h"

namespace {
// Writes pixels one by one into the current row, dropping those right of the picture.
class RlePainter {
  public:
    RlePainter(std::uint16_t bits, std::uint16_t width, std::uint16_t height, std::uint32_t stride,
               std::uint8_t* buffer)
        : bits_(bits), width_(width), height_(height), stride_(stride), buffer_(buffer) {}

    bool InPicture() const { return y_ < height_; }
    // Rows below the current one, and the current one too once it is filled.
    std::uint32_t RowsCovered() const {
        const std::uint32_t rows = y_ + (x_ >= width_ ? 1 : 0);
        return rows < height_ ? rows : height_;
    }
    void NextRow() {
        x_ = 0;
        ++y_;
    }
    void Move(std::uint8_t dx, std::uint8_t dy) {
        x_ += dx;
        y_ += dy;
    }
    void Put(std::uint8_t index) {
        if (x_ < width_ && y_ < height_) {
            std::uint8_t* row = buffer_ + std::uint64_t{height_ - 1 - y_} * stride_;
            if (bits_ == 8)
                row[x_] = index;
            else
                row[x_ / 2] |= static_cast<std::uint8_t>(x_ % 2 == 0 ? index << 4 : index & 0x0F);
        }
        ++x_;
    }

  private:
    std::uint16_t bits_, width_, height_;
    std::uint32_t stride_;
    std::uint8_t* buffer_;
    std::uint32_t x_ = 0, y_ = 0; // y_ counts from the bottom row
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

std::uint32_t DecodeBmpRle(ByteReader& reader, std::uint16_t bitsPerPixel, std::uint16_t width,
                           std::uint16_t height, std::uint32_t stride, std::uint8_t* buffer) {
    RlePainter painter(bitsPerPixel, width, height, stride, buffer);
    std::uint8_t code[2];
    while (painter.InPicture()) {
        if (reader.Read(code, 2) != 2)
            return painter.RowsCovered();
        if (code[0] > 0) {
            PutRun(painter, bitsPerPixel, code[0], code[1]);
            continue;
        }
        switch (code[1]) {
        case 0: // end of row
            painter.NextRow();
            break;
        case 1: // end of picture
            return height;
        case 2: { // skip right and up
            std::uint8_t delta[2];
            if (reader.Read(delta, 2) != 2)
                return painter.RowsCovered();
            painter.Move(delta[0], delta[1]);
            break;
        }
        default:
            if (!PutLiteral(reader, painter, bitsPerPixel, code[1]))
                return painter.RowsCovered();
        }
    }
    return height;
}
