// Simplified tubes and globes: every written sample of the full mesh lies within the error
// asked, measured along its own ray by a search of the tests' own over every triangle of the
// surface; the printed error is the one found; budgets are kept; solids stay closed; black
// holes leave the outline the full mesh leaves.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <tuple>

#include "simplified/StreamMeshSource.h"
#include "solids/SurfaceWeld.h"
#include "tests/cli/solid/SolidTestSupport.h"
#include "tests/support/TestMesh.h"

using namespace solidtest;

namespace {

struct Ray {
    double origin[3], way[3]; // way: a unit vector
};

// Where the ray crosses the triangle, or NaN when it misses it (by more than a hair, so that
// a ray through an edge or a corner is caught by every triangle there).
double Crossing(const Ray& ray, const Vertex& a, const Vertex& b, const Vertex& c) {
    const double e1[3] = {double{b.x} - a.x, double{b.y} - a.y, double{b.z} - a.z};
    const double e2[3] = {double{c.x} - a.x, double{c.y} - a.y, double{c.z} - a.z};
    const double* d = ray.way;
    const double p[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2],
                         d[0] * e2[1] - d[1] * e2[0]};
    const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
    if (std::fabs(det) < 1e-15)
        return NAN;
    const double s[3] = {ray.origin[0] - a.x, ray.origin[1] - a.y, ray.origin[2] - a.z};
    const double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
    const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2],
                         s[0] * e1[1] - s[1] * e1[0]};
    const double v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
    constexpr double kHair = 1e-7;
    if (u < -kHair || v < -kHair || u + v > 1 + kHair)
        return NAN;
    return (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
}

// The largest radial error of any sample the full mesh writes (of the 8-bit picture, or of
// its wide levels; its welded points as the vertices they become), less what
// single-precision points cannot tell: from the axis (a tube, at the sample's height) or the
// middle (a globe) through the sample, the distance from the sample to every crossing of the
// simplified surface; infinity where none is. With black holes (8-bit only), the samples that
// no triangle of the full mesh holds are not on its surface.
double RadialError(const Simplified& made, const WideGray* wide) {
    MeshSettings s = made.settings;
    StreamMeshSource source(s, wide);
    const std::uint32_t perRow = s.meshCols + 1;
    std::vector<std::vector<Vertex>> rows;
    source.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        rows.emplace_back();
        for (std::uint32_t c = 0; c < perRow; ++c)
            rows.back().push_back({row.x[c], row.y[c], row.z[c]});
    });
    const SurfaceWeld weld(made.shape.weld, made.shape.rows, perRow);
    std::vector<char> held(weld.VertexCount(), s.BlackHoles == 0);
    const Outcome full = s.BlackHoles ? MakeShape(s, {}) : Outcome{};
    for (std::size_t t = 0; full.made && t < full.made->mesh.triangles.size(); ++t)
        for (const std::uint32_t corner : full.made->mesh.triangles[t].v)
            held[corner] = 1;
    const bool tube = s.Meshtype == kCylindrical;
    const std::vector<Vertex>& v = made.surface.vertices;
    double worst = 0;
    for (std::uint32_t r = 0; r < made.shape.rows; ++r)
        for (std::uint32_t c = 0; c < perRow; ++c) {
            if (!held[weld.Index(r, c)])
                continue;
            const Vertex& p = rows[r][weld.Representative(r, c)];
            Ray ray{{0, tube ? double{p.y} : 0, 0}, {p.x, tube ? 0 : double{p.y}, p.z}};
            const double radius = std::hypot(ray.way[0], ray.way[1], ray.way[2]);
            for (double& w : ray.way)
                w /= radius;
            double error = std::numeric_limits<double>::infinity();
            for (const auto& t : made.surface.triangles) {
                const double at = Crossing(ray, v[t.v[0]], v[t.v[1]], v[t.v[2]]);
                if (at > 0)
                    error = std::isinf(error) ? std::fabs(at - radius)
                                              : std::max(error, std::fabs(at - radius));
            }
            worst = std::max(worst, error - 2e-6 * radius);
        }
    return worst;
}

struct RoundCase {
    Picture picture;
    WideGray wide; // the picture's levels with 8 bits more
    MeshSettings settings;
    ShapeOptions options;
};

// A random tube or globe, open or closed, solid or hollow, mirrored or not, with 16-bit
// levels beside its 8-bit gray.
RoundCase MakeCase(std::mt19937& rng, int round) {
    RoundCase c;
    c.picture = RandomPicture(rng, 26, false);
    const bool globe = round % 2 == 1;
    c.picture.rows = std::max<std::uint16_t>(c.picture.rows, 3);
    c.picture.cols = std::max<std::uint16_t>(c.picture.cols, 8);
    c.picture.gray.resize(std::size_t{c.picture.rows} * c.picture.cols, 99);
    c.wide = {c.picture.cols, c.picture.rows, {}};
    for (const std::uint8_t g : c.picture.gray)
        c.wide.levels.push_back(static_cast<std::uint16_t>(g * 256 + rng() % 256));
    c.settings = DefaultSettings(globe ? kSpherical : kCylindrical);
    c.settings.MapAlt = 5.0f + static_cast<float>(rng() % 300) / 10;
    c.options.mirror = rng() % 3 == 0;
    switch (round / 2 % 4) {
    case 0:
        break;
    case 1:
        c.options.solid = true;
        break;
    default:
        c.options.solid = true;
        // A globe's wall must be thicker than its facets are deep.
        c.options.wallMm = (globe ? 6.0f : 2.0f) + static_cast<float>(rng() % 6);
        if (globe && round / 2 % 4 == 3)
            c.options.openingMm = 5.0f + static_cast<float>(rng() % 10);
    }
    return c;
}

TEST(SimplifiedRound, EverySampleLiesWithinTheErrorAlongItsRay) {
    for (const unsigned seed : {5u, 6u, 7u}) {
        std::mt19937 rng(seed);
        for (int round = 0; round < 16; ++round) {
            const RoundCase c = MakeCase(rng, round);
            // Within half the thinnest wall, as the tool allows.
            const double asked = (rng() % 100) / 100.0;
            const WideGray* wide = round / 4 % 2 ? &c.wide : nullptr;
            const Simplified made = MakeSimplified(WithPicture(c.settings, c.picture), wide,
                                                   c.options, {asked, std::nullopt, 1 + round % 2});
            if (made.refusal)
                continue;
            SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
            const double measured = RadialError(made, wide);
            EXPECT_LE(measured, asked + 1e-9);
            EXPECT_NEAR(made.surface.maxError, measured, 1e-4);
            if (c.options.solid) {
                EXPECT_GT(ExpectClosedAndOriented(made.mesh), 0);
            }
        }
    }
}

TEST(SimplifiedRound, KeepsTheBudgetOrSaysHowFewItCanMake) {
    for (const unsigned seed : {11u, 12u}) {
        std::mt19937 rng(seed);
        for (int round = 0; round < 12; ++round) {
            const RoundCase c = MakeCase(rng, round);
            const std::uint64_t budget = 8 + rng() % 200;
            const WideGray* wide = round / 4 % 2 ? &c.wide : nullptr;
            const Simplified made = MakeSimplified(WithPicture(c.settings, c.picture), wide,
                                                   c.options, {std::nullopt, budget, 2});
            if (made.refusal)
                continue;
            SCOPED_TRACE(testing::Message() << "seed " << seed << " round " << round);
            if (made.surface.fewestTriangles != 0) {
                EXPECT_GT(made.surface.fewestTriangles, budget);
                EXPECT_TRUE(made.surface.triangles.empty());
                continue;
            }
            EXPECT_LE(made.surface.triangles.size(), budget);
            EXPECT_NEAR(made.surface.maxError, RadialError(made, wide), 1e-4);
            if (c.options.solid) {
                EXPECT_GT(ExpectClosedAndOriented(made.mesh), 0);
            }
        }
    }
}

// Smooth hills, black across the seam, at both poles (the first and last rows), inside and
// in dots; or on the poles' rows alone.
Picture HolePicture(std::mt19937& rng, bool polesOnly) {
    Picture p{
        static_cast<std::uint16_t>(3 + rng() % 30), static_cast<std::uint16_t>(8 + rng() % 40), {}};
    for (std::uint32_t r = 0; r < p.rows; ++r)
        for (std::uint32_t c = 0; c < p.cols; ++c)
            p.gray.push_back(static_cast<std::uint8_t>(
                128 + 100 * std::sin(0.3 * c) * std::cos(0.2 * r) + rng() % 9));
    const auto any = [&](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    const auto black = [&](std::uint32_t r0, std::uint32_t c0, std::uint32_t h, std::uint32_t w) {
        for (std::uint32_t r = r0; r < std::min<std::uint32_t>(r0 + h, p.rows); ++r)
            for (std::uint32_t c = c0; c < std::min<std::uint32_t>(c0 + w, p.cols); ++c)
                p.gray[r * p.cols + c] = 0;
    };
    black(0, any(p.cols), polesOnly ? 1 : 1 + any(2), 2 + any(6));
    black(p.rows - (polesOnly ? 1 : 3), any(p.cols), 3, 2 + any(6));
    for (int k = 0; !polesOnly && k < 4; ++k) {
        black(any(p.rows), 0, 1 + any(4), 1 + any(3));
        black(any(p.rows), p.cols - 1 - any(2), 1 + any(4), 3);
        black(any(p.rows), any(p.cols), 1 + any(k + 1), 1 + any(k + 2));
    }
    return p;
}

using Spot = std::pair<std::int64_t, std::int64_t>; // a sample's row and column

// The outline of a file's surface over the samples its vertices are (at): its directed edges
// that no triangle runs back along, cut into steps from sample to neighbouring sample (a
// globe's pole, its row's column 0, is not cut). Every directed edge must be used once: a
// manifold, consistently wound.
std::set<std::pair<Spot, Spot>> Outline(const CollectedMesh& mesh, const std::vector<Spot>& at,
                                        std::int64_t lastRow, bool poles) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    std::set<std::pair<Spot, Spot>> steps, outline;
    const auto pole = [&](Spot s) { return poles && (s.first == 0 || s.first == lastRow); };
    for (const Triangle& t : mesh.triangles)
        for (int k = 0; k < 3; ++k) {
            const std::pair<std::uint32_t, std::uint32_t> edge{t.v[k], t.v[(k + 1) % 3]};
            EXPECT_EQ(++edges[edge], 1) << "an edge used twice one way";
            const Spot a = at[edge.first], b = at[edge.second];
            const std::int64_t dr = b.first - a.first, dc = b.second - a.second;
            const std::int64_t n = pole(a) || pole(b) ? 1 : std::gcd(dr, dc);
            for (std::int64_t i = 0; i < n; ++i)
                steps.insert({{a.first + dr * i / n, a.second + dc * i / n},
                              {a.first + dr * (i + 1) / n, a.second + dc * (i + 1) / n}});
        }
    for (const auto& [from, to] : steps)
        if (!steps.contains({to, from}))
            outline.insert({from, to});
    return outline;
}

// Expects the outline of made's surface to be its full mesh's; returns the full mesh's triangles.
std::size_t ExpectTheFullOutline(const Simplified& made, const Picture& p, bool globe) {
    // Both files' vertices as samples: the full one's by its welding, the simplified one's by
    // the full one's vertex at its place.
    const Made full = *MakeShape(made.settings, {}).made;
    const SurfaceWeld weld(made.shape.weld, made.shape.rows, p.cols + 1);
    std::vector<Spot> fullAt(weld.VertexCount()), madeAt;
    std::map<std::tuple<float, float, float>, Spot> place;
    for (std::uint32_t r = 0; r < made.shape.rows; ++r)
        for (std::uint32_t c = 0; c <= p.cols; ++c)
            fullAt[weld.Index(r, c)] = {r, weld.Representative(r, c)};
    for (std::size_t i = 0; i < fullAt.size(); ++i) {
        const Vertex& v = full.mesh.vertices[i];
        EXPECT_TRUE(place.emplace(std::make_tuple(v.x, v.y, v.z), fullAt[i]).second);
    }
    for (const Vertex& v : made.mesh.vertices)
        madeAt.push_back(place.at(std::make_tuple(v.x, v.y, v.z)));
    const std::int64_t last = made.shape.rows - 1;
    EXPECT_EQ(Outline(made.mesh, madeAt, last, globe), Outline(full.mesh, fullAt, last, globe));
    return full.mesh.triangles.size();
}

// A tube's or a globe's settings for a picture with holes, and a relief.
MeshSettings HoleSettings(const Picture& p, bool globe, std::mt19937& rng) {
    MeshSettings s = WithPicture(DefaultSettings(globe ? kSpherical : kCylindrical), p);
    s.BlackHoles = 1;
    s.MapAlt = 5.0f + static_cast<float>(rng() % 300) / 10;
    return s;
}

TEST(SimplifiedRound, CutsBlackHolesAsTheFullMeshDoesWithinTheError) {
    std::mt19937 rng(21);
    std::size_t fewer = 0, all = 0;
    for (int round = 0; round < 32; ++round) {
        const bool globe = round % 2 == 1;
        const Picture p = HolePicture(rng, round % 8 == 7);
        const MeshSettings s = HoleSettings(p, globe, rng);
        const double asked = (1 + rng() % 150) / 100.0;
        const Simplified made =
            MakeSimplified(s, nullptr, {}, {asked, std::nullopt, 1 + round % 2});
        ASSERT_FALSE(made.refusal);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const double measured = RadialError(made, nullptr);
        EXPECT_LE(measured, asked + 1e-9);
        EXPECT_NEAR(made.surface.maxError, measured, 1e-4);
        fewer += made.mesh.triangles.size();
        all += ExpectTheFullOutline(made, p, globe);
    }
    // Small pictures, many holes: still far fewer triangles.
    EXPECT_LT(fewer, all * 2 / 3);
}

TEST(SimplifiedRound, KeepsTheBudgetAroundBlackHolesOrSaysHowFewTheirOutlineNeeds) {
    std::mt19937 rng(22);
    int kept = 0, refused = 0;
    for (int round = 0; round < 24; ++round) {
        const bool globe = round % 2 == 1;
        const Picture p = HolePicture(rng, round % 8 == 7);
        const MeshSettings s = HoleSettings(p, globe, rng);
        // From well below what the holes' outlines need to most of the full mesh's triangles.
        const std::uint64_t budget = 2 + rng() % (2u * p.rows * p.cols);
        const Simplified made =
            MakeSimplified(s, nullptr, {}, {std::nullopt, budget, 1 + round % 2});
        ASSERT_FALSE(made.refusal);
        SCOPED_TRACE(testing::Message() << "round " << round << " budget " << budget);
        if (made.surface.fewestTriangles != 0) {
            EXPECT_GT(made.surface.fewestTriangles, budget);
            EXPECT_TRUE(made.surface.triangles.empty());
            ++refused;
            continue;
        }
        ++kept;
        EXPECT_LE(made.surface.triangles.size(), budget);
        // A budget the lossless surface fits is spent on it (its error 0). Where holes leave the
        // seam open, the full mesh's last column lies a few millionths of the radius past its
        // first, and the rays of the first column's samples cross that column's facets too:
        // the full mesh itself would measure so here.
        if (made.surface.maxError > 0) {
            EXPECT_NEAR(made.surface.maxError, RadialError(made, nullptr), 1e-4);
        }
        ExpectTheFullOutline(made, p, globe);
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(refused, 0);
}

TEST(SimplifiedRound, AUniformPictureGivesFewTriangles) {
    const Picture p{30, 48, std::vector<std::uint8_t>(30 * 48, 128)};
    ShapeOptions solid;
    solid.solid = true;
    // The full meshes make 2 triangles a cell: 2784 for the tube, 2688 and the poles' fans
    // for the ball. At a radius of about 32.5 and columns 7.5 degrees apart, facets two
    // columns wide sag 0.28 at most: the tube's could run its whole length, 48 of them.
    const Simplified tube =
        MakeSimplified(WithPicture(DefaultSettings(kCylindrical), p), nullptr, solid, {0.5});
    // Its ends are cut where the sag allows rather than halved, open or welded into a solid:
    // the 48 exactly.
    EXPECT_EQ(tube.surface.triangles.size(), 48u);
    const Simplified open =
        MakeSimplified(WithPicture(DefaultSettings(kCylindrical), p), nullptr, {}, {0.5});
    EXPECT_EQ(open.surface.triangles.size(), 48u);
    EXPECT_GT(ExpectClosedAndOriented(tube.mesh), 0);
    const Simplified ball =
        MakeSimplified(WithPicture(DefaultSettings(kSpherical), p), nullptr, solid, {0.5});
    EXPECT_LE(ball.surface.triangles.size(), 2u * 48 * 30 / 4);
    EXPECT_GT(ExpectClosedAndOriented(ball.mesh), 0);
}

// Waves of amp levels, fx and fy their frequencies across and down, with noise of up to
// `noise` levels either way, from seed.
struct Waves {
    unsigned seed;
    std::uint16_t cols, rows;
    double fx, fy;
    int amp, noise;
    Picture Make() const {
        std::mt19937 rng(seed);
        Picture p{rows, cols, {}};
        for (std::uint32_t r = 0; r < rows; ++r)
            for (std::uint32_t c = 0; c < cols; ++c) {
                const double wave = 127.5 + amp * std::sin(fx * c) * std::cos(fy * r);
                const int level =
                    static_cast<int>(wave) + static_cast<int>(rng() % (2 * noise + 1)) - noise;
                p.gray.push_back(static_cast<std::uint8_t>(std::clamp(level, 1, 255)));
            }
        return p;
    }
};

struct WavesCase {
    Waves waves;
    bool globe, solid;
    float altitude;
    double asked;
    int threads;
};

// Checks the case's surface against the error asked, by the rays' measure here, and the
// tool's own measure against it.
void ExpectWithin(const WavesCase& c) {
    const Picture p = c.waves.Make();
    MeshSettings s = WithPicture(DefaultSettings(c.globe ? kSpherical : kCylindrical), p);
    s.MapAlt = c.altitude;
    ShapeOptions options;
    options.solid = c.solid;
    const Simplified made = MakeSimplified(s, nullptr, options, {c.asked, std::nullopt, c.threads});
    ASSERT_FALSE(made.refusal);
    const double measured = RadialError(made, nullptr);
    EXPECT_LE(measured, c.asked + 1e-9);
    EXPECT_NEAR(made.surface.maxError, measured, 1e-4);
}

// Globes of few columns and many rows: a facet's edges along the rows bow towards a pole, so
// that a sample's ray crosses a facet away from its place on the grid, whose triangle there
// holds no sample to split it at.
TEST(SimplifiedRound, ANarrowGlobeStaysWithinTheErrorWhereItsFacetsBow) {
    const WavesCase cases[] = {
        {{1813733695u, 9, 37, 1.00, 0.16, 96, 4}, true, false, 23.2f, 1.52, 1},
        {{2106166990u, 9, 39, 0.20, 0.84, 53, 30}, true, false, 9.2f, 1.08, 2},
        {{2639886458u, 14, 38, 0.79, 0.27, 31, 1}, true, true, 33.6f, 0.91, 1},
        // A facet's edge bows over a vertex, whose ray crosses both.
        {{1391111814u, 9, 65, 0.23, 0.22, 23, 21}, true, true, 14.2f, 1.21, 2},
        // And again after the sample is made a vertex, which leaves the facet as it was.
        {{4090612180u, 9, 108, 0.72, 0.27, 92, 14}, true, false, 9.2f, 1.06, 1},
    };
    for (const WavesCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.waves.seed);
        ExpectWithin(c);
    }
}

TEST(SimplifiedRound, NarrowTallTubesAndGlobesStayWithinTheError) {
    std::mt19937 rng(41);
    for (int round = 0; round < 300; ++round) {
        WavesCase c;
        c.waves = {static_cast<unsigned>(rng()),
                   static_cast<std::uint16_t>(5 + rng() % 16),
                   static_cast<std::uint16_t>(20 + rng() % 60),
                   0.05 + (rng() % 100) / 100.0,
                   0.05 + (rng() % 100) / 100.0,
                   static_cast<int>(20 + rng() % 110),
                   static_cast<int>(1 + rng() % 60)};
        c.globe = round % 2 == 1;
        c.solid = rng() % 2 == 1;
        c.altitude = 5.0f + static_cast<float>(rng() % 300) / 10;
        c.asked = (5 + rng() % 150) / 100.0;
        c.threads = 1 + round / 2 % 2;
        SCOPED_TRACE(testing::Message() << "round " << round);
        ExpectWithin(c);
    }
}

} // namespace
