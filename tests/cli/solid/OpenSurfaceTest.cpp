// Open surfaces: the plug-in's own points and cells, turned to the file's axes (an exact
// signed permutation) and split into triangles that face up or outward; a sphere's poles
// closed to single vertices instead of slivers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "plugin/export/BufferMeshSource.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "tests/cli/solid/SolidTestSupport.h"
#include "tests/support/TestMesh.h"

using namespace solidtest;

namespace {

Vertex Normal(const Vertex* v) {
    const double ux = double{v[1].x} - v[0].x, uy = double{v[1].y} - v[0].y,
                 uz = double{v[1].z} - v[0].z;
    const double wx = double{v[2].x} - v[0].x, wy = double{v[2].y} - v[0].y,
                 wz = double{v[2].z} - v[0].z;
    return {static_cast<float>(uy * wz - uz * wy), static_cast<float>(uz * wx - ux * wz),
            static_cast<float>(ux * wy - uy * wx)};
}

struct PluginMesh {
    std::vector<Vertex> points;
    std::vector<PolygonRecord> cells;
};

// The plug-in's own mesh in memory, as its writers see it.
PluginMesh ReadPluginMesh(const Picture& p, const MeshSettings& s) {
    TestMesh reference(p.rows, p.cols, p.gray, s);
    BufferMeshSource plugin(reference.settings, reference.mesh.Buffers());
    NoProgress progress;
    plugin.Prepare(progress);
    PluginMesh mesh;
    plugin.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        for (std::uint32_t c = 0; c < reference.PerRow(); ++c)
            mesh.points.push_back({row.x[c], row.y[c], row.z[c]});
    });
    plugin.ForEachCellRow([&](std::uint32_t, const CellRow& cells) {
        mesh.cells.insert(mesh.cells.end(), cells.polygons.begin(), cells.polygons.end());
    });
    return mesh;
}

TEST(OpenSurface, IsThePluginsMeshTurnedToTheFilesAxes) {
    std::mt19937 rng(13);
    for (int round = 0; round < 40; ++round) {
        const Picture p = RandomPicture(rng, 30, true);
        const std::int32_t type = round % 2 == 0 ? kRectangular : kCylindrical;
        MeshSettings s = WithPicture(DefaultSettings(type, 1 + static_cast<int>(rng() % 8)), p);
        s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
        ShapeOptions options;
        options.mirror = rng() % 2 == 1;
        options.up = rng() % 2 ? UpAxis::kY : UpAxis::kZ;
        const Outcome outcome = MakeShape(s, options);
        ASSERT_TRUE(outcome.made);
        const Made& made = *outcome.made;
        ExpectCornersAreVertices(made);

        const PluginMesh plugin = ReadPluginMesh(p, s);
        ASSERT_EQ(plugin.points.size(), made.mesh.vertices.size());
        for (std::size_t i = 0; i < plugin.points.size(); ++i)
            ASSERT_TRUE(SameBits(made.frame.axes.Apply(plugin.points[i]), made.mesh.vertices[i]))
                << "point " << i;
        // Flat cells run clockwise seen from above, where their normals must point; a
        // mirroring frame turns them over once more.
        const bool flip = (type == kRectangular) != made.frame.axes.Reflects();
        std::vector<Triangle> expected;
        const auto put = [&](std::int32_t a, std::int32_t b, std::int32_t c) {
            const auto u = [](std::int32_t i) { return static_cast<std::uint32_t>(i); };
            expected.push_back(flip ? Triangle{{u(a), u(c), u(b)}} : Triangle{{u(a), u(b), u(c)}});
        };
        for (const PolygonRecord& q : plugin.cells) {
            put(q.index[0], q.index[1], q.index[2]);
            if (q.count == 4)
                put(q.index[2], q.index[3], q.index[0]);
        }
        ASSERT_EQ(expected.size(), made.mesh.triangles.size());
        for (std::size_t t = 0; t < expected.size(); ++t)
            ASSERT_EQ(std::memcmp(&expected[t], &made.mesh.triangles[t], sizeof(Triangle)), 0)
                << "triangle " << t;
        if (type != kRectangular || s.BlackHoles)
            continue;
        // Up is z, or y in a Y-up frame.
        for (std::size_t t = 0; t < expected.size(); ++t) {
            const Vertex n = Normal(&made.mesh.corners[3 * t]);
            ASSERT_GT(options.up == UpAxis::kY ? n.y : n.z, 0) << "triangle " << t << " faces down";
        }
    }
}

TEST(OpenSurface, ASpheresPolesAreSingleVerticesAndEveryTriangleFacesOutward) {
    std::mt19937 rng(15);
    for (int round = 0; round < 30; ++round) {
        const Picture p = RandomPicture(rng, 30, false);
        const MeshSettings s =
            WithPicture(DefaultSettings(kSpherical, 1 + static_cast<int>(rng() % 4)), p);
        const GridSize g = SampledGridSize(p.rows, p.cols, s.MeshRes);
        if (g.rows < 3 || g.cols < 3)
            continue;
        ShapeOptions options;
        options.mirror = round % 2 == 1;
        const Outcome outcome = MakeShape(s, options);
        ASSERT_TRUE(outcome.made);
        const Made& made = *outcome.made;
        ExpectCornersAreVertices(made);
        // Both pole rows are one vertex each; every other row keeps its seam point.
        EXPECT_EQ(made.mesh.vertices.size(), 2 + std::size_t{g.rows - 2u} * (g.cols + 1u));
        for (std::size_t t = 0; t < made.mesh.triangles.size(); ++t) {
            const Vertex* v = &made.mesh.corners[3 * t];
            const Vertex n = Normal(v);
            const double outward = (double{v[0].x} + v[1].x + v[2].x) * n.x +
                                   (double{v[0].y} + v[1].y + v[2].y) * n.y +
                                   (double{v[0].z} + v[1].z + v[2].z) * n.z;
            ASSERT_GT(outward, 0) << "triangle " << t << " of " << g.rows << " x " << g.cols;
        }
    }
}

} // namespace
