#pragma once
// Pictures written by the tests themselves with libpng, libjpeg and libtiff, and the tool
// run in-process on them.

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/LoadPicture.h"

namespace picturetest {

// Samples unpacked, one value a sample (channels of the colour type, or palette indices),
// rows top first.
struct PngPicture {
    std::uint32_t width = 1, height = 1;
    int colorType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint16_t> samples;
    std::vector<std::uint8_t> palette;      // red, green, blue per entry
    std::vector<std::uint8_t> transparency; // tRNS for a palette: alpha per entry
};
void WritePng(const std::string& path, const PngPicture& picture);

// components 1 (gray), 3 (RGB) or 4 (CMYK); samples rows top first.
void WriteJpeg(const std::string& path, std::uint32_t width, std::uint32_t height, int components,
               const std::vector<std::uint8_t>& samples, bool progressive = false);

struct TiffPicture {
    std::uint32_t width = 1, height = 1;
    std::uint16_t samplesPerPixel = 1, bitsPerSample = 8;
    std::uint16_t sampleFormat = 1, photometric = 1, compression = 1, planar = 1;
    std::uint32_t tileSize = 0; // 0: strips
    std::uint32_t rowsPerStrip = 3;
    std::vector<std::uint16_t> extraSamples;
    std::vector<std::uint16_t> colorMap; // palette pictures: the red, then green, then blue plane
    std::vector<std::uint8_t> data;      // samples together, machine order, rows top first
};
void WriteTiff(const std::string& path, const TiffPicture& picture);

// The bytes of 16-bit or float samples in machine order.
std::vector<std::uint8_t> AsBytes(const std::vector<std::uint16_t>& values);
std::vector<std::uint8_t> AsBytes(const std::vector<float>& values);

// The width x height gray levels of a loaded (and made gray) picture, rows top first.
std::vector<std::uint8_t> GrayOfImage(const HostImage& image);

struct Loaded {
    StepResult failure;
    LoadedPicture picture;
    std::string warnings;
};
// Loads path as the tool does, and makes it gray when it was taken.
Loaded Load(const std::string& path, bool alphaHoles = false, bool invert = false);

struct ToolRun {
    int exitCode = -1;
    std::string out, err;
};
// args without the program name.
ToolRun RunTool(const std::vector<std::string>& args);

} // namespace picturetest
