#pragma once
// A mesh for preview tests, built by hand: buffers sized for the grid, points set directly, the bounding
// box and viewing distance computed as mesh generation leaves them.

#include <cstdint>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

class HandBuiltMesh {
  public:
    // rows x cols samples of the given type (P = cols, or cols + 1 with the seam column);
    // every point at the origin and solid; parallel view, all angles 0, both line kinds,
    // a 200 x 200 canvas, the view not yet placed.
    HandBuiltMesh(std::uint16_t rows, std::uint16_t cols, MeshType type = kRectangular);
    ~HandBuiltMesh();
    HandBuiltMesh(const HandBuiltMesh&) = delete;
    HandBuiltMesh& operator=(const HandBuiltMesh&) = delete;

    std::uint32_t Points() const { return PointsPerRow(settings); }
    std::uint32_t Index(std::uint32_t row, std::uint32_t col) const { return row * Points() + col; }
    void Set(std::uint32_t row, std::uint32_t col, float x, float y, float z, bool solid = true);

    // A flat grid facing the viewer: x = col * step, y = -row * step, z = 0.
    void MakeFlat(float step);
    // Bounding box from the points (always containing the origin) and viewDistance.
    void FinishBounds();
    // Places the view directly: zoom, centre (and home centre).
    void PlaceView(float zoom, float centerX, float centerY);

    MeshSettings settings{};
    MeshBuffers buffers{};

  private:
    HeapBlockAllocator allocator_;
};
