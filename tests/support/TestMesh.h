#pragma once
// A gray image turned into a mesh the way continue does it, for tests; and test pictures.

#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"

// The parameters of a first run (INI defaults): Map Altitude 25, Radial Offset 20, Scale 1,
// Cyl. Length 100.
inline MeshSettings DefaultSettings(std::int32_t meshType, std::int32_t meshRes = 1) {
    MeshSettings s{};
    s.Meshtype = meshType;
    s.MeshRes = meshRes;
    s.MapAlt = 25.0f;
    s.RadOff = 20.0f;
    s.ModelScale = 1.0f;
    s.CylLen = 100.0f;
    s.DiskFormat = kNxmDxf;
    return s;
}

class TestMesh {
  public:
    // pixels: rows x cols bytes, top row first.
    TestMesh(std::uint16_t rows, std::uint16_t cols, std::vector<std::uint8_t> pixels,
             MeshSettings base)
        : image(std::move(pixels)), settings(base) {
        if (mesh.Make(GrayPixels{image.data(), cols, rows, cols}) != MeshOutcome::Made)
            throw std::runtime_error("no memory for the test mesh");
    }
    TestMesh(const TestMesh&) = delete;
    TestMesh& operator=(const TestMesh&) = delete;

    std::uint32_t PerRow() const { return PointsPerRow(settings); }
    std::size_t Points() const { return std::size_t{settings.meshRows} * PerRow(); }
    std::size_t Cells() const {
        return settings.meshRows < 2 ? 0 : std::size_t{settings.meshRows - 1u} * (PerRow() - 1);
    }
    const PolygonRecord& Record(std::size_t cell) const {
        return buffers.polygonBlock[cell].record;
    }

    std::vector<std::uint8_t> image;
    MeshSettings settings;
    HeapBlockAllocator allocator;
    PictureMesh mesh{settings, allocator};
    MeshBuffers& buffers = mesh.Buffers();
};

inline std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t gray) {
    return std::vector<std::uint8_t>(size, gray);
}

// Random grays where about one pixel in `blackOneIn` is black (0 for none) and the rest
// come from a few levels, so that equal heights and coincident corners are common.
inline std::vector<std::uint8_t> RandomGrays(std::size_t size, std::mt19937& rng, int blackOneIn,
                                             int levels = 4) {
    std::vector<std::uint8_t> pixels(size);
    std::uniform_int_distribution<int> level(1, levels);
    for (auto& p : pixels) {
        p = static_cast<std::uint8_t>(level(rng) * (255 / levels));
        if (blackOneIn > 0 && rng() % blackOneIn == 0)
            p = 0;
    }
    return pixels;
}
