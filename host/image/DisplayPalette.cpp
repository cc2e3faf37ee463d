#include "host/image/DisplayPalette.h"

#include "host/image/MedianCutQuantizer.h"

LogicalPalette PaletteFromColorTable(const RgbQuad* colors, std::uint16_t bitsPerPixel) {
    const int entries = bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : 256;
    LogicalPalette palette(entries);
    for (int i = 0; i < entries; ++i)
        palette[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return palette;
}

LogicalPalette GrayDisplayPalette() {
    LogicalPalette palette(256);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(4 * i);
        palette[i] = {v, v, v, 0};
    }
    return palette;
}

LogicalPalette QuantizedPalette(const std::uint8_t* pixels, std::uint16_t width,
                                std::uint16_t height) {
    MedianCutQuantizer quantizer(kDisplayPaletteColors, width, height, pixels);
    if (!quantizer.Run())
        return {};
    LogicalPalette palette(kDisplayPaletteColors);
    const std::uint8_t* colors = quantizer.SortedColors();
    for (int i = 0; i < kDisplayPaletteColors; ++i) // 6-bit components to 8 bits
        palette[i] = {static_cast<std::uint8_t>(colors[3 * i] * 4),
                      static_cast<std::uint8_t>(colors[3 * i + 1] * 4),
                      static_cast<std::uint8_t>(colors[3 * i + 2] * 4), 0};
    return palette;
}
