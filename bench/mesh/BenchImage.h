#pragma once
// A large gray picture and its mesh memory, made once per benchmark program.

#include <cmath>
#include <cstdint>
#include <vector>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"

// Smooth hills with a little noise and some black, like a scanned height map.
inline std::vector<std::uint8_t> HillImage(std::uint16_t rows, std::uint16_t cols) {
    std::vector<std::uint8_t> pixels(std::size_t{rows} * cols);
    std::uint32_t noise = 12345;
    for (std::uint32_t r = 0; r < rows; ++r) {
        for (std::uint32_t c = 0; c < cols; ++c) {
            noise = noise * 1103515245u + 12345u;
            const double hill = 127.5 + 120 * std::sin(r * 0.013) * std::cos(c * 0.011);
            const int gray = static_cast<int>(hill) + static_cast<int>((noise >> 16) % 7) - 3;
            pixels[std::size_t{r} * cols + c] = static_cast<std::uint8_t>(gray < 8     ? 0
                                                                          : gray > 255 ? 255
                                                                                       : gray);
        }
    }
    return pixels;
}

class BenchMesh {
  public:
    BenchMesh(std::uint16_t rows, std::uint16_t cols) : image(HillImage(rows, cols)) {
        settings.MeshRes = 1;
        settings.MapAlt = 25.0f;
        settings.RadOff = 20.0f;
        settings.ModelScale = 1.0f;
        settings.CylLen = 100.0f;
        ok = mesh.Make(GrayPixels{image.data(), cols, rows, cols}) == MeshOutcome::Made;
    }

    // Samples and makes the points for a mesh type.
    void Make(std::int32_t meshType, std::int32_t meshRes = 1) {
        settings.Meshtype = meshType;
        settings.MeshRes = meshRes;
        mesh.Remake();
    }

    std::vector<std::uint8_t> image;
    MeshSettings settings{};
    HeapBlockAllocator allocator;
    PictureMesh mesh{settings, allocator};
    MeshBuffers& buffers = mesh.Buffers();
    bool ok = false;
};
