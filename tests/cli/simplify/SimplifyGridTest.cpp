// The simplifier's triangulations checked as a user would: every sample of the grid measured
// against the triangle over it by a rasteriser written here (exact integer inside tests,
// long double planes), the triangles tiling the grid's outline once (positive, covering every
// sample, their areas adding up to the outline's), the rim on the grid's sides and the holes
// left as the full grid leaves them; over many pictures, limits, budgets and seeds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "simplify/SimplifyGrid.h"

namespace {

struct Picture {
    std::uint32_t rows, cols;
    std::vector<float> heights;
    std::vector<std::uint8_t> holes; // empty: none
    HeightGrid Grid() const {
        return {heights.data(), rows, cols, holes.empty() ? nullptr : holes.data()};
    }
};

template <class Level> Picture Make(std::uint32_t rows, std::uint32_t cols, Level level) {
    Picture p{rows, cols, std::vector<float>(std::size_t{rows} * cols), {}};
    for (std::uint32_t r = 0; r < rows; ++r)
        for (std::uint32_t c = 0; c < cols; ++c)
            p.heights[std::size_t{r} * cols + c] = static_cast<float>(level(r, c));
    return p;
}

// The pictures users mesh, at 8 bits (0..255) or 16 bits (0..65535) a level.
Picture Flat(std::uint32_t rows, std::uint32_t cols) {
    return Make(rows, cols, [](std::uint32_t, std::uint32_t) { return 77; });
}
Picture Ramp(std::uint32_t rows, std::uint32_t cols) {
    return Make(rows, cols, [](std::uint32_t r, std::uint32_t c) { return 3 * c + 2 * r + 5; });
}
Picture Step(std::uint32_t rows, std::uint32_t cols) {
    return Make(rows, cols,
                [&](std::uint32_t r, std::uint32_t c) { return c + r / 2 < cols / 2 ? 20 : 200; });
}
Picture Cone(std::uint32_t rows, std::uint32_t cols) {
    return Make(rows, cols, [&](std::uint32_t r, std::uint32_t c) {
        const double dx = c - cols / 2.0, dy = r - rows / 2.0;
        return static_cast<int>(std::max(0.0, 60000 - 2500 * std::hypot(dx, dy)));
    });
}
Picture Noise(std::uint32_t rows, std::uint32_t cols, std::mt19937& rng) {
    return Make(rows, cols, [&](std::uint32_t, std::uint32_t) { return rng() % 256; });
}
// Hills and valleys with a little noise and a flat sea.
Picture Terrain(std::uint32_t rows, std::uint32_t cols, std::mt19937& rng) {
    const double fx = 0.05 + (rng() % 100) / 300.0, fy = 0.05 + (rng() % 100) / 300.0;
    return Make(rows, cols, [&](std::uint32_t r, std::uint32_t c) {
        const double hills =
            128 + 90 * std::sin(fx * c) * std::cos(fy * r) + 30 * std::sin(0.7 * c + r);
        return std::max(60, static_cast<int>(hills) + static_cast<int>(rng() % 5));
    });
}

struct Checked {
    double maxError = 0;
    long double area = 0;         // of the triangles
    std::size_t uncovered = 0;    // samples of the outline no triangle covers
    std::size_t holesCovered = 0; // hole samples a triangle covers
    std::size_t flipped = 0;      // triangles that do not turn positively
    std::size_t offRim = 0;       // rim edges not on a side of the grid
};

// Whether the sample at (x, y) is inside the full grid's outline, and that outline's area.
long double FullArea(const Picture& p, std::vector<std::uint8_t>& inside) {
    inside.assign(p.heights.size(), 0);
    long double area = 0;
    const HeightGrid g = p.Grid();
    for (std::uint32_t r = 0; r + 1 < p.rows; ++r)
        for (std::uint32_t c = 0; c + 1 < p.cols; ++c) {
            const std::uint32_t corners[4] = {g.Sample(r, c), g.Sample(r, c + 1),
                                              g.Sample(r + 1, c + 1), g.Sample(r + 1, c)};
            int holes = 0;
            for (const std::uint32_t s : corners)
                holes += g.IsHole(s);
            if (holes > 1)
                continue;
            area += holes == 0 ? 1.0L : 0.5L;
            for (const std::uint32_t s : corners)
                if (!g.IsHole(s))
                    inside[s] = 1;
        }
    return area;
}

Checked Check(const Picture& p, const SimplifiedMesh& mesh) {
    Checked out;
    const HeightGrid g = p.Grid();
    std::vector<std::uint8_t> covered(p.heights.size(), 0);
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const auto& t : mesh.triangles) {
        std::int64_t x[3], y[3];
        long double h[3];
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t s = mesh.vertices.at(t[k]);
            x[k] = s % p.cols;
            y[k] = s / p.cols;
            h[k] = p.heights[s];
            ++edges[{s, mesh.vertices.at(t[(k + 1) % 3])}];
        }
        const std::int64_t twice = (x[1] - x[0]) * (y[2] - y[0]) - (y[1] - y[0]) * (x[2] - x[0]);
        if (twice <= 0) {
            ++out.flipped;
            continue;
        }
        out.area += twice / 2.0L;
        for (std::int64_t yy = *std::min_element(y, y + 3); yy <= *std::max_element(y, y + 3); ++yy)
            for (std::int64_t xx = *std::min_element(x, x + 3); xx <= *std::max_element(x, x + 3);
                 ++xx) {
                std::int64_t w[3];
                for (int k = 0; k < 3; ++k) {
                    const int a = (k + 1) % 3, b = (k + 2) % 3;
                    w[k] = (x[b] - x[a]) * (yy - y[a]) - (y[b] - y[a]) * (xx - x[a]);
                }
                if (w[0] < 0 || w[1] < 0 || w[2] < 0)
                    continue;
                const std::size_t s = static_cast<std::size_t>(yy) * p.cols + xx;
                covered[s] = 1;
                if (g.IsHole(static_cast<std::uint32_t>(s))) {
                    ++out.holesCovered;
                    continue;
                }
                const long double plane = (w[0] * h[0] + w[1] * h[1] + w[2] * h[2]) / twice;
                out.maxError =
                    std::max(out.maxError, static_cast<double>(std::fabs(plane - p.heights[s])));
            }
    }
    std::vector<std::uint8_t> inside;
    FullArea(p, inside);
    for (std::size_t s = 0; s < inside.size(); ++s)
        out.uncovered += inside[s] && !covered[s];
    for (const auto& [edge, uses] : edges) {
        if (edges.count({edge.second, edge.first}) || !p.holes.empty())
            continue;
        const std::uint32_t ax = edge.first % p.cols, ay = edge.first / p.cols;
        const std::uint32_t bx = edge.second % p.cols, by = edge.second / p.cols;
        const bool onSide = (ax == bx && (ax == 0 || ax == p.cols - 1)) ||
                            (ay == by && (ay == 0 || ay == p.rows - 1));
        out.offRim += !onSide;
    }
    return out;
}

// Everything a simplified mesh must be, whatever it was asked.
void ExpectSound(const Picture& p, const SimplifiedMesh& mesh, const std::string& what) {
    const Checked c = Check(p, mesh);
    std::vector<std::uint8_t> inside;
    EXPECT_EQ(c.flipped, 0u) << what;
    EXPECT_EQ(c.uncovered, 0u) << what;
    EXPECT_EQ(c.holesCovered, 0u) << what;
    EXPECT_EQ(c.offRim, 0u) << what;
    EXPECT_EQ(c.area, FullArea(p, inside)) << what;
    EXPECT_NEAR(c.maxError, mesh.maxError, 1e-9 * (1 + mesh.maxError)) << what;
    EXPECT_TRUE(std::is_sorted(mesh.vertices.begin(), mesh.vertices.end())) << what;
}

SimplifiedMesh Within(const Picture& p, double limit, int threads) {
    return SimplifyGrid(p.Grid(), {limit, 0, threads});
}

TEST(SimplifyGrid, FlatAndPlanarGridsGiveTwoTriangles) {
    for (const Picture& p :
         {Flat(2, 2), Flat(37, 91), Ramp(64, 3), Ramp(150, 140), Flat(700, 50)}) {
        for (const int threads : {1, 2}) {
            const SimplifiedMesh mesh = Within(p, 0, threads);
            EXPECT_EQ(mesh.triangles.size(), 2u) << p.rows << " x " << p.cols;
            EXPECT_EQ(mesh.vertices.size(), 4u);
            EXPECT_EQ(mesh.maxError, 0);
            ExpectSound(p, mesh, "plane");
        }
    }
    EXPECT_TRUE(SimplifyGrid(Flat(1, 9).Grid(), {}).triangles.empty());
}

TEST(SimplifyGrid, EverySampleStaysWithinTheLimit) {
    std::mt19937 rng(5);
    const std::vector<std::pair<const char*, Picture>> pictures = {
        {"step", Step(41, 57)},        {"cone", Cone(90, 81)},
        {"noise", Noise(33, 29, rng)}, {"terrain", Terrain(100, 110, rng)},
        {"ramp", Ramp(2, 70)},         {"terrain strip", Terrain(3, 200, rng)},
    };
    for (const auto& [name, p] : pictures) {
        const double top = *std::max_element(p.heights.begin(), p.heights.end());
        std::size_t previous = SIZE_MAX;
        for (const double share : {0.0, 0.002, 0.01, 0.05, 0.3}) {
            for (const int threads : {1, 2}) {
                const SimplifiedMesh mesh = Within(p, share * top, threads);
                const std::string what = std::string(name) + " at " + std::to_string(share);
                ExpectSound(p, mesh, what);
                EXPECT_LE(mesh.maxError, share * top) << what;
                if (share == 0) {
                    EXPECT_EQ(mesh.maxError, 0) << what;
                }
                EXPECT_LE(mesh.triangles.size(), 2 * (p.rows - 1) * (p.cols - 1)) << what;
                if (threads == 1) {
                    // A looser limit never needs many more triangles.
                    EXPECT_LE(mesh.triangles.size(), previous + previous / 10 + 2) << what;
                    previous = mesh.triangles.size();
                }
            }
        }
    }
}

TEST(SimplifyGrid, StripsStartedInDifferentWaysMeetVertexForVertex) {
    // Noise above smooth hills: the noisy strip starts from its full grid, the smooth one from
    // its sides, and the row they share must still join them edge for edge.
    std::mt19937 rng(21);
    const Picture p = Make(200, 90, [&](std::uint32_t r, std::uint32_t c) {
        return r < 100 ? static_cast<double>(rng() % 256) : 128 + 60 * std::sin(0.1 * c + 0.05 * r);
    });
    for (const double limit : {1.0, 4.0, 20.0}) {
        const SimplifiedMesh mesh = Within(p, limit, 2);
        ExpectSound(p, mesh, "noise over hills at " + std::to_string(limit));
        EXPECT_LE(mesh.maxError, limit);
    }
}

TEST(SimplifyGrid, RandomGridsOverManySeeds) {
    for (std::uint32_t seed = 0; seed < 150; ++seed) {
        std::mt19937 rng(seed);
        const std::uint32_t rows = 2 + rng() % 40, cols = 2 + rng() % 40;
        Picture p = seed % 3 == 0 ? Noise(rows, cols, rng) : Terrain(rows, cols, rng);
        const double limit = seed % 4 == 0 ? 0 : (rng() % 4000) / 100.0;
        const SimplifiedMesh mesh = Within(p, limit, 1 + static_cast<int>(seed % 2));
        const std::string what = "seed " + std::to_string(seed);
        ExpectSound(p, mesh, what);
        EXPECT_LE(mesh.maxError, limit) << what;
    }
}

TEST(SimplifyGrid, ABudgetIsNeverExceeded) {
    std::mt19937 rng(9);
    for (int round = 0; round < 6; ++round) {
        const Picture p = round % 2 ? Terrain(50, 61, rng) : Noise(20, 17, rng);
        double lastError = INFINITY;
        for (const std::uint64_t budget : {2, 3, 10, 60, 400, 5000}) {
            const SimplifiedMesh mesh = SimplifyGrid(p.Grid(), {0, budget, 2});
            const std::string what =
                "round " + std::to_string(round) + ", budget " + std::to_string(budget);
            EXPECT_LE(mesh.triangles.size(), budget) << what;
            EXPECT_GE(mesh.triangles.size(), 2u) << what;
            ExpectSound(p, mesh, what);
            EXPECT_LE(mesh.maxError, lastError * 1.25 + 1e-9) << what;
            lastError = mesh.maxError;
        }
        // Enough triangles for every sample: nothing is lost.
        EXPECT_EQ(SimplifyGrid(p.Grid(), {0, 4 * p.heights.size(), 1}).maxError, 0);
    }
}

// Black dots (holes) scattered over p, one sample in `density`.
void Dot(Picture& p, std::mt19937& rng, std::uint32_t density) {
    p.holes.resize(p.heights.size());
    for (std::uint8_t& hole : p.holes)
        hole = rng() % density == 0;
}

TEST(SimplifyGrid, ABudgetIsKeptOverManySeedsAndRefusedOnlyBelowTheHolesOutline) {
    for (std::uint32_t seed = 0; seed < 120; ++seed) {
        std::mt19937 rng(700 + seed);
        const std::uint32_t rows = 2 + rng() % 45, cols = 2 + rng() % 45;
        Picture p = seed % 3 == 0 ? Noise(rows, cols, rng) : Terrain(rows, cols, rng);
        if (seed % 2 == 1)
            Dot(p, rng, 3 + rng() % 20);
        const std::uint64_t budget = 2 + rng() % (3 * std::uint64_t{rows} * cols);
        const SimplifiedMesh mesh =
            SimplifyGrid(p.Grid(), {0, budget, 1 + static_cast<int>(seed % 2)});
        const std::string what = "seed " + std::to_string(seed) + ", budget " +
                                 std::to_string(budget) + ", " + std::to_string(rows) + " x " +
                                 std::to_string(cols);
        ExpectSound(p, mesh, what);
        if (mesh.triangles.size() > budget) {
            // Only holes refuse a budget, and only one that no error could meet.
            EXPECT_FALSE(p.holes.empty()) << what;
            EXPECT_GT(Within(p, 1e9, 1).triangles.size(), budget) << what;
        }
    }
}

TEST(SimplifyGrid, ABudgetFindsAnErrorNearTheLowestThatFits) {
    std::mt19937 rng(77);
    for (int round = 0; round < 30; ++round) {
        const Picture p = round % 3 == 0 ? Noise(30, 41, rng) : Terrain(90, 70, rng);
        const std::uint64_t budget = 40 + rng() % 3000;
        const SimplifiedMesh mesh = SimplifyGrid(p.Grid(), {0, budget, 2});
        const std::string what = "round " + std::to_string(round);
        ASSERT_LE(mesh.triangles.size(), budget) << what;
        // A fifth less error would not have fitted. (With holes the collapses' count is no
        // steady function of the error, and no search could promise it.)
        if (mesh.maxError > 0) {
            EXPECT_GT(Within(p, 0.8 * mesh.maxError, 2).triangles.size(), budget) << what;
        }
    }
}

TEST(SimplifyGrid, HolesAreCutAsTheFullGridCutsThem) {
    for (std::uint32_t seed = 0; seed < 80; ++seed) {
        std::mt19937 rng(1000 + seed);
        Picture p = Terrain(3 + rng() % 30, 3 + rng() % 30, rng);
        Dot(p, rng, 2 + rng() % 6);
        const double limit = seed % 3 == 0 ? 0 : (rng() % 3000) / 100.0;
        const SimplifiedMesh mesh = Within(p, limit, 2);
        const std::string what = "seed " + std::to_string(seed);
        ExpectSound(p, mesh, what);
        EXPECT_LE(mesh.maxError, limit) << what;
    }
    // Holes everywhere: nothing is left.
    Picture all = Flat(5, 6);
    all.holes.assign(all.heights.size(), 1);
    EXPECT_TRUE(Within(all, 1, 1).triangles.empty());
}

// A check that allows triangles at most `span` columns wide and keeps the vertices of the
// strips' sides along rows at most span / 2 apart, so that no strip needs to split a side.
class NarrowCheck final : public TriangleCheck {
  public:
    NarrowCheck(const HeightGrid& grid, std::uint32_t span) : grid_(grid), span_(span) {}
    ScanResult Worst(std::uint32_t a, std::uint32_t b, std::uint32_t c) const override {
        if (Within(a, b, c, 0))
            return {0, a};
        // The covered sample nearest the middle column, neither a corner nor Fixed.
        const GridPoint p = PointOf(grid_, a), q = PointOf(grid_, b), r = PointOf(grid_, c);
        const std::int64_t middle = (std::min({p.x, q.x, r.x}) + std::max({p.x, q.x, r.x})) / 2;
        ScanResult split{0, a};
        std::int64_t nearest = INT64_MAX;
        for (std::uint32_t s = 0; s < grid_.Samples(); ++s) {
            const GridPoint g = PointOf(grid_, s);
            if (s == a || s == b || s == c || Fixed(s) || Turn(p, q, g) < 0 || Turn(q, r, g) < 0 ||
                Turn(r, p, g) < 0 || std::llabs(g.x - middle) >= nearest)
                continue;
            nearest = std::llabs(g.x - middle);
            split = {1e300, s};
        }
        return split;
    }
    bool Within(std::uint32_t a, std::uint32_t b, std::uint32_t c, double) const override {
        return Wide(a, b) <= span_ && Wide(b, c) <= span_ && Wide(c, a) <= span_;
    }
    bool SideWithin(std::uint32_t from, std::uint32_t to, double) const override {
        return Wide(from, to) <= span_ / 2;
    }
    bool Fixed(std::uint32_t sample) const override { return grid_.Row(sample) == 0; }

  private:
    std::uint32_t Wide(std::uint32_t p, std::uint32_t q) const {
        const std::uint32_t a = grid_.Col(p), b = grid_.Col(q);
        return a > b ? a - b : b - a;
    }
    const HeightGrid& grid_;
    std::uint32_t span_;
};

TEST(SimplifyGrid, ACheckNarrowsEveryTriangleAndKeepsItsFixedSamples) {
    std::mt19937 rng(31);
    const std::vector<std::pair<const char*, Picture>> pictures = {
        {"flat", Flat(90, 61)}, {"terrain", Terrain(140, 57, rng)}, {"noise", Noise(40, 33, rng)}};
    for (const auto& [name, p] : pictures)
        for (const int threads : {1, 2}) {
            const HeightGrid grid = p.Grid();
            const NarrowCheck check(grid, 6);
            const SimplifiedMesh mesh = SimplifyGrid(grid, {2, 0, threads, &check});
            ExpectSound(p, mesh, name);
            EXPECT_LE(mesh.maxError, 2) << name;
            for (const auto& t : mesh.triangles)
                ASSERT_TRUE(
                    check.Within(mesh.vertices[t[0]], mesh.vertices[t[1]], mesh.vertices[t[2]], 0))
                    << name;
            // The first row kept its vertices as close as its side asked, though the triangles
            // would allow them twice as far apart.
            std::uint32_t last = 0;
            for (const std::uint32_t v : mesh.vertices)
                if (grid.Row(v) == 0 && v != 0) {
                    EXPECT_LE(v - last, 3u) << name;
                    last = v;
                }
            EXPECT_EQ(last, grid.cols - 1) << name;
        }
}

TEST(SimplifyGrid, WideLevelsKeepTheirPrecision) {
    // Levels one apart at 16 bits: a limit below one level keeps every step.
    const Picture p =
        Make(40, 40, [](std::uint32_t r, std::uint32_t c) { return 30000 + (c * c + r) % 3; });
    const SimplifiedMesh mesh = Within(p, 0.4, 2);
    ExpectSound(p, mesh, "wide");
    EXPECT_LE(mesh.maxError, 0.4);
    EXPECT_GT(mesh.triangles.size(), 100u);
}

} // namespace
