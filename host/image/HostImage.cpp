#include "host/image/HostImage.h"

HostImage::HostImage(ImageSource& source, int screenBitsPerPixel)
    : DibImage(source, screenBitsPerPixel) {
    isGray_ = IsGrayPalette() ? 1 : 0;
}

bool HostImage::IsGrayPalette() const {
    const std::uint16_t bits = BitsPerPixel();
    if ((bits != 8 && bits != 0) || palette_.size() < 256)
        return false;
    for (int i = 0; i < 256; i += 8)
        if (palette_[i].peRed != i || palette_[i].peGreen != palette_[i].peRed)
            return false;
    return true;
}
