// Open surfaces and closed solids of random pictures, checked as a slicer would see them:
// vertices welded by position, every edge used once in each direction, the volume positive
// and, for a Rectangular solid, equal to the volume under the height field worked out from
// the gray levels alone.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

#include "cli/StreamMeshSource.h"
#include "cli/solid/PictureTriangles.h"
#include "cli/solid/ShapeMesh.h"
#include "plugin/export/BufferMeshSource.h"
#include "tests/cli/solid/CollectedMesh.h"
#include "tests/support/TestMesh.h"

namespace {

class NoProgress final : public ProgressSink {
  public:
    void Report(std::int32_t, std::int32_t) override {}
};

struct Picture {
    std::uint16_t rows, cols;
    std::vector<std::uint8_t> gray;
};

// Smooth hills with noise; never black unless asked, so that a solid can close.
Picture RandomPicture(std::mt19937& rng, int maxSide, bool withBlack) {
    Picture p;
    p.rows = static_cast<std::uint16_t>(2 + rng() % (maxSide - 1));
    p.cols = static_cast<std::uint16_t>(2 + rng() % (maxSide - 1));
    p.gray.resize(std::size_t{p.rows} * p.cols);
    const double fx = 0.05 + (rng() % 100) / 200.0, fy = 0.05 + (rng() % 100) / 200.0;
    for (std::size_t i = 0; i < p.gray.size(); ++i) {
        const double r = static_cast<double>(i / p.cols), c = static_cast<double>(i % p.cols);
        const double wave = 127.5 + 100 * std::sin(fx * c) * std::cos(fy * r);
        const int level = static_cast<int>(wave) + static_cast<int>(rng() % 21) - 10;
        p.gray[i] = static_cast<std::uint8_t>(std::clamp(level, withBlack ? 0 : 1, 255));
        if (withBlack && rng() % 7 == 0)
            p.gray[i] = 0;
    }
    return p;
}

MeshSettings WithPicture(MeshSettings s, const Picture& p) {
    s.imagePixels = p.gray.data();
    s.imageRowBytes = p.cols;
    s.imageRows = p.rows;
    s.imageCols = p.cols;
    return s;
}

struct Made {
    CollectedMesh mesh;
    TriangleCounts counted;
    MeshSettings settings; // with the grid
};

std::optional<Made> Make(MeshSettings s, const ShapeOptions& options) {
    StreamMeshSource surface(s);
    MeshShape shape;
    if (ShapeMesh(surface, s, options, shape))
        return std::nullopt;
    NoProgress progress;
    PictureTriangles triangles(surface, s, shape.weld, std::move(shape.parts), shape.offset,
                               progress);
    Made made{Collect(triangles), triangles.Count(), s};
    return made;
}

bool SameBits(const Vertex& a, const Vertex& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every triangle's indices name vertices, and its corners are those vertices' own bits.
void ExpectCornersAreVertices(const Made& m) {
    const CollectedMesh& mesh = m.mesh;
    ASSERT_EQ(mesh.corners.size(), 3 * mesh.triangles.size());
    EXPECT_EQ(m.counted.vertices, mesh.vertices.size());
    EXPECT_EQ(m.counted.triangles, mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t v = mesh.triangles[t].v[k];
            ASSERT_LT(v, mesh.vertices.size());
            ASSERT_TRUE(SameBits(mesh.corners[3 * t + k], mesh.vertices[v])) << "triangle " << t;
        }
}

// The volume between the triangulated height field and a base `base` below its lowest point,
// from the gray levels: heights MapAlt * Scale * (1 + g) / 256, cells Scale * 100 / cols
// wide and split along the diagonal from top-left to bottom-right.
double HeightFieldVolume(const Picture& p, const MeshSettings& s, double base) {
    const double step = s.ModelScale * 100.0 / p.cols;
    const auto z = [&](int r, int c) {
        return s.MapAlt * s.ModelScale * (1.0 + p.gray[std::size_t(r) * p.cols + c]) / 256.0;
    };
    double lowest = 1e30;
    for (int r = 0; r < p.rows; ++r)
        for (int c = 0; c < p.cols; ++c)
            lowest = std::min(lowest, z(r, c));
    const double floor = lowest - base;
    double volume = 0;
    for (int r = 0; r + 1 < p.rows; ++r)
        for (int c = 0; c + 1 < p.cols; ++c) {
            const double tl = z(r, c), tr = z(r, c + 1), br = z(r + 1, c + 1), bl = z(r + 1, c);
            volume += step * step / 2 * ((tl + tr + br) / 3 + (br + bl + tl) / 3 - 2 * floor);
        }
    return volume;
}

TEST(RectangularSolid, IsClosedAndHoldsTheVolumeUnderItsHeightField) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const Picture p = RandomPicture(rng, 40, false);
        MeshSettings s = WithPicture(DefaultSettings(kRectangular), p);
        s.MapAlt = 1.0f + static_cast<float>(rng() % 500) / 10;
        s.ModelScale = 0.5f + static_cast<float>(rng() % 30) / 10;
        const float base = 0.25f * static_cast<float>(1 + rng() % 12);
        const auto made = Make(s, {true, base, ModelOrigin::kAsMade});
        ASSERT_TRUE(made);
        ExpectCornersAreVertices(*made);
        const double volume = ExpectClosedAndOriented(made->mesh);
        const double expected = HeightFieldVolume(p, s, base);
        EXPECT_NEAR(volume, expected, 1e-3 * expected) << p.rows << " x " << p.cols;
    }
}

TEST(RoundSolids, AreClosedWithTheirNormalsOutward) {
    std::mt19937 rng(12);
    for (int round = 0; round < 60; ++round) {
        const Picture p = RandomPicture(rng, 30, false);
        const std::int32_t type = round % 2 ? kCylindrical : kSpherical;
        MeshSettings s = WithPicture(DefaultSettings(type, 1 + static_cast<int>(rng() % 8)), p);
        s.RadOff = 5.0f + static_cast<float>(rng() % 300) / 10;
        const auto made = Make(s, {true, 1.0f, ModelOrigin::kAsMade});
        if (!made) {
            // Only a grid too small to close is refused.
            const GridSize g = SampledGridSize(p.rows, p.cols, s.MeshRes);
            EXPECT_TRUE(g.cols < 3 || (type == kSpherical && g.rows < 3));
            continue;
        }
        ExpectCornersAreVertices(*made);
        EXPECT_GT(ExpectClosedAndOriented(made->mesh), 0);
    }
}

TEST(OpenSurface, HasThePluginsPointsAndItsCellsSplitAlongOneDiagonal) {
    std::mt19937 rng(13);
    for (int round = 0; round < 40; ++round) {
        const Picture p = RandomPicture(rng, 30, true);
        const std::int32_t type = static_cast<std::int32_t>(round % 3);
        MeshSettings s = WithPicture(DefaultSettings(type, 1 + static_cast<int>(rng() % 8)), p);
        s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
        const auto made = Make(s, {});
        ASSERT_TRUE(made);
        ExpectCornersAreVertices(*made);

        // The plug-in's own mesh in memory, as its writers see it.
        TestMesh reference(p.rows, p.cols, p.gray, s);
        BufferMeshSource plugin(reference.settings, reference.mesh.Buffers());
        NoProgress progress;
        plugin.Prepare(progress);
        std::vector<Vertex> points;
        plugin.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
            for (std::uint32_t c = 0; c < reference.PerRow(); ++c)
                points.push_back({row.x[c], row.y[c], row.z[c]});
        });
        ASSERT_EQ(points.size(), made->mesh.vertices.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            ASSERT_TRUE(SameBits(points[i], made->mesh.vertices[i])) << "point " << i;
        std::vector<Triangle> expected;
        // Rectangular cells run clockwise seen from above, where their normals must point.
        const bool flip = type == kRectangular;
        const auto put = [&](std::int32_t a, std::int32_t b, std::int32_t c) {
            const auto u = [](std::int32_t i) { return static_cast<std::uint32_t>(i); };
            expected.push_back(flip ? Triangle{{u(a), u(c), u(b)}} : Triangle{{u(a), u(b), u(c)}});
        };
        plugin.ForEachCellRow([&](std::uint32_t, const CellRow& cells) {
            for (const PolygonRecord& q : cells.polygons) {
                put(q.index[0], q.index[1], q.index[2]);
                if (q.count == 4)
                    put(q.index[2], q.index[3], q.index[0]);
            }
        });
        ASSERT_EQ(expected.size(), made->mesh.triangles.size());
        for (std::size_t t = 0; t < expected.size(); ++t)
            ASSERT_EQ(std::memcmp(&expected[t], &made->mesh.triangles[t], sizeof(Triangle)), 0)
                << "triangle " << t;
        if (type == kRectangular && !s.BlackHoles)
            for (std::size_t t = 0; t < expected.size(); ++t) {
                const Vertex* v = &made->mesh.corners[3 * t];
                const double up = (double{v[1].x} - v[0].x) * (double{v[2].y} - v[0].y) -
                                  (double{v[1].y} - v[0].y) * (double{v[2].x} - v[0].x);
                ASSERT_GT(up, 0) << "triangle " << t << " faces down";
            }
    }
}

TEST(Placement, CentresOrCornersTheBoundingBoxOfTheSolid) {
    std::mt19937 rng(14);
    for (int round = 0; round < 12; ++round) {
        const Picture p = RandomPicture(rng, 25, false);
        const std::int32_t type = static_cast<std::int32_t>(round % 3);
        const MeshSettings s = WithPicture(DefaultSettings(type), p);
        for (const ModelOrigin origin : {ModelOrigin::kCenter, ModelOrigin::kCorner}) {
            const auto made = Make(s, {round % 2 == 0, 0.5f, origin});
            if (!made)
                continue;
            Vertex low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
            for (const Vertex& v : made->mesh.vertices) {
                low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
                high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
            }
            const float tolerance = 1e-3f * std::max(high.x - low.x, high.y - low.y);
            EXPECT_NEAR(low.z, 0, tolerance);
            if (origin == ModelOrigin::kCorner) {
                EXPECT_NEAR(low.x, 0, tolerance);
                EXPECT_NEAR(low.y, 0, tolerance);
            } else {
                EXPECT_NEAR(low.x + high.x, 0, tolerance);
                EXPECT_NEAR(low.y + high.y, 0, tolerance);
            }
        }
    }
}

TEST(SolidRefusals, NameWhatCannotClose) {
    Picture p{1, 5, std::vector<std::uint8_t>(5, 200)};
    EXPECT_FALSE(Make(WithPicture(DefaultSettings(kRectangular), p), {true, 1, {}}));
    p = {5, 5, std::vector<std::uint8_t>(25, 200)};
    MeshSettings tube = WithPicture(DefaultSettings(kCylindrical), p);
    // Every radius is 200 * 25 / 256 + 1, about 20.5: a wall of 100 would pass the axis.
    tube.RadOff = 1.0f;
    EXPECT_TRUE(Make(tube, {true, 1.0f, {}}));
    StreamMeshSource surface(tube);
    MeshShape shape;
    const auto reason = ShapeMesh(surface, tube, {true, 100.0f, {}}, shape);
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find("axis"), std::string::npos);
}

} // namespace
