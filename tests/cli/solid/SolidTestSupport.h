#pragma once
// Pictures, shapes and the checks a slicer would make, for the tests of open surfaces and
// closed solids.

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "simplified/SimplifyPicture.h"
#include "solids/PictureTriangles.h"
#include "solids/ShapeMesh.h"
#include "tests/cli/solid/CollectedMesh.h"

namespace solidtest {

class NoProgress final : public ProgressSink {
  public:
    void Report(std::int32_t, std::int32_t) override {}
};

// Whether two vertices hold the same bits (-0 is not 0).
bool SameBits(const Vertex& a, const Vertex& b);

struct Picture {
    std::uint16_t rows, cols;
    std::vector<std::uint8_t> gray;
};

// Smooth hills with noise, 2 to maxSide pixels each way; never black unless asked, so that a
// solid can close.
Picture RandomPicture(std::mt19937& rng, int maxSide, bool withBlack);

// s with the picture as its gray plane.
MeshSettings WithPicture(MeshSettings s, const Picture& p);

struct Made {
    CollectedMesh mesh;
    TriangleCounts counted;
    MeshSettings settings; // with the grid
    ModelFrame frame;
};

// The triangles of the picture's mesh for options, or the refusal.
struct Outcome {
    std::optional<Made> made;
    std::optional<ShapeRefusal> refusal;
};
Outcome MakeShape(MeshSettings s, const ShapeOptions& options);

// Every triangle's indices name vertices, and its corners are those vertices' own bits.
void ExpectCornersAreVertices(const Made& made);

// The corners welded by position, as an STL reader does; every directed edge once and its
// reverse once, no two vertices at one place. Returns the signed volume.
double ExpectClosedAndOriented(const CollectedMesh& mesh);

// The signed volume the triangles enclose.
double SignedVolume(const CollectedMesh& mesh);

// A surface with fewer triangles and the triangles a file gets of it, or why its solid
// cannot be closed.
struct Simplified {
    std::optional<ShapeRefusal> refusal;
    MeshSettings settings; // with the grid
    MeshShape shape;       // as the surface was simplified for it
    SimplifiedSurface surface;
    CollectedMesh mesh;
    TriangleCounts counted;
    ModelFrame frame;
};
Simplified MakeSimplified(MeshSettings s, const WideGray* wide, const ShapeOptions& options,
                          SimplifyRequest request);

} // namespace solidtest
