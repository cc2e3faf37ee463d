#include "host/image/DibImage.h"

#include <new>

DibImage::DibImage(ImageSource& source, int screenBitsPerPixel)
    : info_(std::make_unique<BitmapInfo>()) {
    if (!Build(source, screenBitsPerPixel)) {
        failed_ = 1;
        *info_ = BitmapInfo{};
        info_->header.biSize = sizeof(BitmapInfoHeader);
        pixels_.reset();
        stride_ = 0;
        palette_.clear();
    }
}

std::unique_ptr<std::uint8_t[]> AllocatePixels(std::uint64_t bytes) {
    if (bytes > kMaxImageBytes)
        return nullptr;
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow)
                                               std::uint8_t[static_cast<std::size_t>(bytes)]());
}

bool DibImage::Build(ImageSource& source, int screenBitsPerPixel) {
    if (!source.IsValid())
        return false;
    const std::uint16_t width = source.Width(), height = source.Height();
    const std::uint16_t bits = source.BitsPerPixel();
    stride_ = RowStride(width, bits);
    pixels_ = AllocatePixels(ImageBytes(width, height, bits));
    if (pixels_ == nullptr)
        return false;
    BitmapInfoHeader& h = info_->header;
    h.biSize = sizeof(BitmapInfoHeader);
    h.biWidth = width;
    h.biHeight = height; // positive, although rows are held top row first
    h.biPlanes = 1;
    h.biBitCount = bits;
    if (bits <= 8)
        h.biClrUsed = 1u << bits;
    source.ReadAll(pixels_.get());
    if (bits <= 8) {
        source.ReadPalette(info_->colors);
        palette_ = PaletteFromColorTable(info_->colors, bits);
    } else if (screenBitsPerPixel <= 8) {
        palette_ = QuantizedPalette(pixels_.get(), width, height);
    }
    return true;
}
