// Simplified surfaces as the triangle formats get them: every vertex where the full mesh has
// it, in the file's frame, the surface facing up, within the error asked in the file's units,
// and as a solid closed and oriented, its parts following the simplified rims.

#include <gtest/gtest.h>

#include <random>

#include "simplified/StreamMeshSource.h"
#include "tests/cli/solid/SolidTestSupport.h"
#include "tests/support/TestMesh.h"

using namespace solidtest;

namespace {

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
        ShapeOptions options;
        options.mirror = round % 3 == 0;
        const Simplified made = MakeSimplified(s, wide, options, {asked, std::nullopt, 2});
        EXPECT_LE(made.surface.maxError, asked * (1 + 1e-9)) << round;
        // Every vertex is a point of the full mesh, turned by the frame alone.
        const std::vector<Vertex> full = FullPoints(s, wide);
        for (const Vertex& v : made.surface.vertices) {
            const bool found = std::any_of(full.begin(), full.end(),
                                           [&](const Vertex& f) { return SameBits(f, v); });
            ASSERT_TRUE(found) << round;
        }
        ASSERT_EQ(made.mesh.corners.size(), 3 * made.mesh.triangles.size());
        for (std::size_t t = 0; t < made.mesh.triangles.size(); ++t) {
            const Vertex* c = &made.mesh.corners[3 * t];
            for (int k = 0; k < 3; ++k)
                ASSERT_TRUE(SameBits(c[k], made.mesh.vertices[made.mesh.triangles[t].v[k]]));
            const double up = double{c[1].x - c[0].x} * (c[2].y - c[0].y) -
                              double{c[1].y - c[0].y} * (c[2].x - c[0].x);
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
        ShapeOptions options;
        options.solid = true;
        options.wallMm = 0.5f + static_cast<float>(rng() % 8);
        options.mirror = round % 4 == 1;
        options.origin = round % 2 ? ModelOrigin::kCenter : ModelOrigin::kAsMade;
        const Simplified made = MakeSimplified(s, round % 2 ? &h.wide : nullptr, options,
                                               {asked, budget, 1 + round % 2});
        if (budget) {
            EXPECT_LE(made.surface.triangles.size(), *budget);
        }
        EXPECT_GT(ExpectClosedAndOriented(made.mesh), 0) << round;
        Extent extent;
        for (const Vertex& v : made.mesh.vertices)
            extent.Add(v);
        // The base lies --base below the lowest point of the full mesh, at or below the
        // simplified surface's.
        const std::vector<Vertex> full = FullPoints(s, round % 2 ? &h.wide : nullptr);
        float lowest = INFINITY;
        for (const Vertex& v : full)
            lowest = std::min(lowest, v.z);
        EXPECT_NEAR(made.frame.Apply({0, 0, lowest}).z - extent.low.z, *options.wallMm, 1e-4)
            << round;
        if (options.origin == ModelOrigin::kCenter) {
            EXPECT_NEAR(extent.low.x + extent.high.x, 0, 1e-4);
            EXPECT_NEAR(extent.low.y + extent.high.y, 0, 1e-4);
            EXPECT_EQ(extent.low.z, 0);
        }
    }
}

} // namespace
