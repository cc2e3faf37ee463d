// Simplified rectangular surfaces as the triangle formats get them: every vertex where the
// full mesh has it, the surface facing up, within the error asked in the file's units, and
// as a solid closed and oriented, its walls and base following the simplified rim.

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "cli/StreamMeshSource.h"
#include "cli/simplified/SimplifiedTriangles.h"
#include "tests/cli/solid/CollectedMesh.h"
#include "tests/support/TestMesh.h"

namespace {

class NoProgress final : public ProgressSink {
  public:
    void Report(std::int32_t, std::int32_t) override {}
};

struct Hills {
    std::uint16_t rows, cols;
    std::vector<std::uint8_t> gray;
    WideGray wide;
};

Hills MakeHills(std::mt19937& rng) {
    Hills h;
    h.rows = static_cast<std::uint16_t>(3 + rng() % 60);
    h.cols = static_cast<std::uint16_t>(3 + rng() % 60);
    h.wide = {h.cols, h.rows, {}};
    for (std::uint32_t r = 0; r < h.rows; ++r)
        for (std::uint32_t c = 0; c < h.cols; ++c) {
            const double level = 32000 + 20000 * std::sin(0.21 * c) * std::cos(0.13 * r);
            const auto wide = static_cast<std::uint16_t>(level + rng() % 300);
            h.wide.levels.push_back(wide);
            h.gray.push_back(static_cast<std::uint8_t>(wide / 257));
        }
    return h;
}

MeshSettings Settings(const Hills& h, std::mt19937& rng) {
    MeshSettings s = DefaultSettings(kRectangular);
    s.imagePixels = h.gray.data();
    s.imageRowBytes = h.cols;
    s.imageRows = h.rows;
    s.imageCols = h.cols;
    s.MapAlt = 1.0f + static_cast<float>(rng() % 400) / 10;
    s.ModelScale = 0.5f + static_cast<float>(rng() % 30) / 10;
    return s;
}

// The full mesh's points, row after row.
std::vector<Vertex> FullPoints(MeshSettings s, const WideGray* wide) {
    StreamMeshSource source(s, wide);
    std::vector<Vertex> points;
    source.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        for (std::uint32_t c = 0; c < s.meshCols; ++c)
            points.push_back({row.x[c], row.y[c], row.z[c]});
    });
    return points;
}

TEST(SimplifiedSurface, KeepsTheFullMeshsPointsAndFacesUpWithinTheError) {
    std::mt19937 rng(3);
    for (int round = 0; round < 30; ++round) {
        const Hills h = MakeHills(rng);
        const MeshSettings s = Settings(h, rng);
        const WideGray* wide = round % 2 ? &h.wide : nullptr;
        const double asked = (rng() % 100) / 400.0 * s.MapAlt * s.ModelScale / 10;
        const SimplifiedPicture picture = SimplifyPicture(s, wide, asked, std::nullopt, 2);
        EXPECT_LE(picture.MaxError(), asked * (1 + 1e-9)) << round;
        const std::vector<Vertex> full = FullPoints(s, wide);
        for (std::size_t i = 0; i < picture.points.size(); ++i)
            ASSERT_EQ(
                std::memcmp(&picture.points[i], &full[picture.mesh.vertices[i]], sizeof(Vertex)),
                0);
        NoProgress progress;
        SimplifiedTriangles triangles(picture, {}, progress);
        const CollectedMesh mesh = Collect(triangles);
        EXPECT_EQ(triangles.Count().triangles, picture.mesh.triangles.size());
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            const Vertex &a = mesh.corners[3 * t], &b = mesh.corners[3 * t + 1],
                         &c = mesh.corners[3 * t + 2];
            const double up = double{b.x - a.x} * (c.y - a.y) - double{b.y - a.y} * (c.x - a.x);
            ASSERT_GT(up, 0) << "triangle " << t << " of round " << round;
        }
    }
}

TEST(SimplifiedSolid, IsClosedAndOrientedAlongTheSimplifiedRim) {
    std::mt19937 rng(8);
    for (int round = 0; round < 30; ++round) {
        const Hills h = MakeHills(rng);
        const MeshSettings s = Settings(h, rng);
        const double asked = round % 5 == 0 ? 0 : (rng() % 100) / 50.0;
        const std::optional<std::uint64_t> budget =
            round % 3 == 0 ? std::optional<std::uint64_t>(2 + rng() % 300) : std::nullopt;
        const SimplifiedPicture picture =
            SimplifyPicture(s, round % 2 ? &h.wide : nullptr, asked, budget, 1 + round % 2);
        if (budget) {
            EXPECT_LE(picture.mesh.triangles.size(), *budget);
        }
        NoProgress progress;
        const float base = 0.5f + static_cast<float>(rng() % 8);
        const ModelOrigin origin = round % 2 ? ModelOrigin::kCenter : ModelOrigin::kAsMade;
        SimplifiedTriangles triangles(picture, {true, base, origin}, progress);
        const CollectedMesh mesh = Collect(triangles);
        EXPECT_GT(ExpectClosedAndOriented(mesh), 0) << round;
        Extent extent;
        for (const Vertex& v : mesh.vertices)
            extent.Add(v);
        float lowest = INFINITY;
        for (std::size_t i = 0; i < picture.points.size(); ++i)
            lowest = std::min(lowest, mesh.vertices[i].z);
        EXPECT_NEAR(lowest - extent.low.z, base, 1e-4) << round;
        if (origin == ModelOrigin::kCenter) {
            EXPECT_NEAR(extent.low.x + extent.high.x, 0, 1e-4);
            EXPECT_NEAR(extent.low.z, 0, 1e-6);
        }
    }
}

} // namespace
