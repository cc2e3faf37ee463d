#pragma once
// Helpers shared by the reader, image and command-line tests: a picture decoded through
// the readers into plain RGB, and the outside tools some tests compare with.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host/readers/ImageSource.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace readertest {

// What a reader delivered: size, rows in the row layout and the colour table.
struct Decoded {
    std::uint16_t width = 0, height = 0, bitsPerPixel = 0;
    std::uint32_t stride = 0;
    std::vector<std::uint8_t> rows;
    std::vector<RgbQuad> colors = std::vector<RgbQuad>(kColorTableSize, RgbQuad{});

    // The colour of pixel (x, y) as red, green, blue.
    void Rgb(std::uint32_t x, std::uint32_t y, std::uint8_t out[3]) const;
    // Every pixel as red-green-blue bytes, top row first, no padding.
    std::vector<std::uint8_t> RgbPixels() const;
};

Decoded Decode(ImageSource& source);

// n bytes, none of them zero (so a byte a reader never delivered stands out) and each
// unlike its neighbours.
std::vector<std::uint8_t> Pattern(std::size_t n);

// Runs a shell command; its exit status.
int RunCommand(const std::string& command);
bool ToolExists(const std::string& path);

} // namespace readertest
