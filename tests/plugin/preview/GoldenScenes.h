#pragma once
// The meshes and views of the golden preview pictures in tests/data/preview, rendered as
// the dialog's canvas shows them right after it opens.

#include <cstdint>
#include <string>
#include <vector>

struct GoldenScene {
    std::string name;
    int width, height;
    std::vector<std::uint8_t> pixels; // top row first
};

std::vector<GoldenScene> RenderGoldenScenes();

// FNV-1a over the size and the pixels, as 16 hex digits.
std::string PictureChecksum(const GoldenScene& scene);

// Where the pictures and their checksums ("name checksum" per line) are kept.
inline constexpr const char* kGoldenFolder = "tests/data/preview";
inline constexpr const char* kGoldenChecksums = "checksums.txt";
