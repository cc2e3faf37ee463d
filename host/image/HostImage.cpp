#include "host/image/HostImage.h"

HostImage::HostImage(ImageSource& source, int screenBitsPerPixel)
    : DibImage(source, screenBitsPerPixel) {
    isGray = IsGrayPalette() ? 1 : 0;
}

bool HostImage::IsGrayPalette() const {
    const std::uint16_t bits = BitsPerPixel();
    if ((bits != 8 && bits != 0) || palette.size() < 256)
        return false;
    for (int i = 0; i < 256; i += 8)
        if (palette[i].peRed != i || palette[i].peGreen != palette[i].peRed)
            return false;
    return true;
}
