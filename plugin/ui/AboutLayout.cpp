#include "plugin/ui/AboutLayout.h"

int AboutCentredX(int screenWidth) {
    return (screenWidth - kAboutWidth) / 2;
}

int AboutCentredY(int screenHeight) {
    return (screenHeight - kAboutHeight) / 2;
}

bool IsOnAboutFace(int x, int y) {
    const AboutRect& face = kAboutPictures[kAboutFace];
    return x >= face.x && x < face.x + face.width && y >= face.y && y < face.y + face.height;
}

bool UsesOneBitFaces(int bitsPerPixel) {
    return bitsPerPixel <= 8;
}

bool TickWaitOver(std::uint32_t start, std::uint32_t now, std::uint32_t wait) {
    return static_cast<std::uint32_t>(now - start) >= wait;
}
