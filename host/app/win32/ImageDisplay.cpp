#include "host/app/win32/ImageDisplay.h"

#include <cstddef>
#include <vector>

static_assert(sizeof(BitmapInfoHeader) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(BitmapInfo, colors) == offsetof(BITMAPINFO, bmiColors));

namespace {

constexpr WORD kPaletteVersion = 0x300;

} // namespace

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

void ScreenPalette::Reset() {
    if (palette_)
        DeleteObject(palette_);
    palette_ = nullptr;
}

void ScreenPalette::Rebuild(const LogicalPalette& palette) {
    Reset();
    if (palette.empty())
        return;
    std::vector<std::uint8_t> block(offsetof(LOGPALETTE, palPalEntry) +
                                    palette.size() * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = kPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i)
        logical->palPalEntry[i] = {palette[i].peRed, palette[i].peGreen, palette[i].peBlue, 0};
    palette_ = CreatePalette(logical);
}

void DrawImage(HDC dc, const DibImage& image, HPALETTE palette) {
    if (image.Bits() == nullptr)
        return;
    HPALETTE previous = nullptr;
    if (palette) {
        previous = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    // The rows are held top row first, so they are handed over as a top-down picture
    // (negative height) and copied unmirrored. A mirrored copy of a bottom-up picture
    // (source origin height + 1, source height -height) relies on how each GDI reads the
    // origin of a negative source height; this form reads the same everywhere.
    BitmapInfo topDown = image.Info();
    const int width = topDown.header.biWidth, height = topDown.header.biHeight;
    topDown.header.biHeight = -height;
    StretchDIBits(dc, image.DrawX(), image.DrawY(), width, height, 0, 0, width, height,
                  image.Bits(), reinterpret_cast<const BITMAPINFO*>(&topDown), DIB_RGB_COLORS,
                  SRCCOPY);
    if (palette)
        SelectPalette(dc, previous, FALSE);
}
