#pragma once
// Writing a gray picture as PNG (8-bit gray) or BMP (8-bit with a gray colour table),
// chosen by the file's extension.

#include <cstdint>
#include <string>
#include <vector>

struct GrayPicture {
    int width, height;
    const std::vector<std::uint8_t>& pixels; // width * height, top row first
};

// True when path ends in ".png" or ".bmp" (any letter case).
bool IsPictureFileName(const std::string& path);

// The BMP file's bytes: bottom row first, rows padded to four bytes.
std::vector<std::uint8_t> EncodeBmp(const GrayPicture& picture);

// Writes the picture whole or not at all, as the mesh file is written (beside the target,
// then renamed over it; a failure leaves what was there). On failure returns false with a
// one-line reason naming the file.
bool WriteGrayPicture(const std::string& path, const GrayPicture& picture, std::string& error);

// The PNG file's bytes, through libpng; on failure returns false with libpng's reason.
bool EncodePng(const GrayPicture& picture, std::vector<std::uint8_t>& bytes, std::string& reason);
