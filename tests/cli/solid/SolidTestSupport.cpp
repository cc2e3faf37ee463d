#include "tests/cli/solid/SolidTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "simplified/SimplifiedTriangles.h"
#include "simplified/StreamMeshSource.h"

namespace solidtest {

bool SameBits(const Vertex& a, const Vertex& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

namespace {

double Determinant(const Vertex& a, const Vertex& b, const Vertex& c) {
    return double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) -
           double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
           double{a.z} * (double{b.x} * c.y - double{b.y} * c.x);
}

} // namespace

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

Outcome MakeShape(MeshSettings s, const ShapeOptions& options) {
    StreamMeshSource surface(s);
    MeshShape shape;
    Outcome outcome;
    if ((outcome.refusal = ShapeMesh(surface, s, options, shape)))
        return outcome;
    const ModelFrame frame = shape.frame;
    NoProgress progress;
    PictureTriangles triangles(surface, s, std::move(shape), progress);
    outcome.made = Made{Collect(triangles), triangles.Count(), s, frame};
    return outcome;
}

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

double SignedVolume(const CollectedMesh& mesh) {
    double volume = 0;
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
        volume +=
            Determinant(mesh.corners[3 * t], mesh.corners[3 * t + 1], mesh.corners[3 * t + 2]) / 6;
    return volume;
}

double ExpectClosedAndOriented(const CollectedMesh& mesh) {
    std::map<std::tuple<float, float, float>, std::uint32_t> ids;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        std::uint32_t id[3];
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = mesh.corners[3 * t + k];
            id[k] = ids.emplace(std::make_tuple(v.x, v.y, v.z), ids.size()).first->second;
        }
        for (int k = 0; k < 3; ++k)
            ++edges[{id[k], id[(k + 1) % 3]}];
    }
    int open = 0, crowded = 0;
    for (const auto& [edge, uses] : edges) {
        crowded += uses > 1;
        const auto back = edges.find({edge.second, edge.first});
        open += back == edges.end() || back->second != 1;
    }
    EXPECT_EQ(open, 0) << "edges without a partner in the other direction";
    EXPECT_EQ(crowded, 0) << "edges used twice in one direction";
    EXPECT_EQ(ids.size(), mesh.vertices.size()) << "vertices that share a position";
    return SignedVolume(mesh);
}

Simplified MakeSimplified(MeshSettings s, const WideGray* wide, const ShapeOptions& options,
                          SimplifyRequest request) {
    StreamMeshSource source(s, wide);
    Simplified out;
    MeshShape shape;
    if ((out.refusal = ShapeMesh(source, s, options, shape)))
        return out;
    out.settings = s;
    out.shape = shape;
    request.largestError = LargestSurfaceError(shape.plan); // as the tool asks
    out.surface = SimplifyPicture(s, wide, shape, request);
    if (out.surface.fewestTriangles != 0)
        return out; // refused: the budget is too small
    NoProgress progress;
    SimplifiedTriangles triangles(out.surface, s.Meshtype, options, std::move(shape), progress);
    out.mesh = Collect(triangles);
    out.counted = triangles.Count();
    out.frame = triangles.Frame();
    EXPECT_EQ(out.counted.vertices, out.mesh.vertices.size());
    EXPECT_EQ(out.counted.triangles, out.mesh.triangles.size());
    return out;
}

} // namespace solidtest
