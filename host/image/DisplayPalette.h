#pragma once
// Logical palettes: the colours an image asks a palette screen to offer when it is drawn.
// The Windows host turns one into a GDI palette; an empty one means no palette.

#include <cstdint>
#include <vector>

#include "host/readers/RowLayout.h"

struct PaletteEntry {
    std::uint8_t peRed, peGreen, peBlue, peFlags;
};

using LogicalPalette = std::vector<PaletteEntry>;

// One entry per colour-table entry: 2 for 1 bit per pixel, 16 for 4, 256 otherwise.
LogicalPalette PaletteFromColorTable(const RgbQuad* colors, std::uint16_t bitsPerPixel);

// The palette a converted image offers the screen: 64 grays (0, 4, ..., 252) four times
// over. Pixels are drawn by colour, not by index, so each gray finds its nearest level.
LogicalPalette GrayDisplayPalette();

// 236 colours chosen for a 24-bit picture by median cut, dark to light. Empty when the
// quantizer's memory cannot be had.
LogicalPalette QuantizedPalette(const std::uint8_t* pixels, std::uint16_t width,
                                std::uint16_t height);

inline constexpr int kDisplayPaletteColors = 236;
