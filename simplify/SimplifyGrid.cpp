#include "simplify/SimplifyGrid.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "simplify/BudgetSearch.h"
#include "simplify/EdgeCollapse.h"
#include "simplify/GreedyRefine.h"
#include "simplify/GridMesh.h"
#include "simplify/LineSimplify.h"
#include "simplify/TriangleScan.h"

namespace {

// The collapses leave room under the error at which refinement spends a budget: the search
// for the lowest error that fits aims first at this share of it.
constexpr double kFirstAim = 0.7;
// Refinement starts from every this many rows and columns.
constexpr std::uint32_t kSeedSpacing = 16;
// The share of its sides' samples above which a band is collapsed from its full grid.
constexpr double kDenseSides = 0.4;
// Bands are about this many rows of cells, so that each one's mesh stays in the caches, and
// there are at least as many as threads when they are not much lower.
constexpr std::uint32_t kBandCells = 128, kLeastBandCells = 32;
// The sides are simplified a hair inside the limit, so that no rounding of the triangles'
// arithmetic ever finds a side's sample beyond it and splits a side another strip shares.
constexpr double kSideMargin = 1.0 - 1e-9;

// Runs work(k) for k = 0 .. count - 1 on up to `threads` threads, each taking the next k.
template <class Work> void InParallel(std::uint32_t count, int threads, Work work) {
    std::atomic<std::uint32_t> next{0};
    const auto worker = [&] {
        for (std::uint32_t k; (k = next++) < count;)
            work(k);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min<int>(threads, static_cast<int>(count)); ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool)
        thread.join();
}

// Whether the straight line from heights[a] to heights[b] is within limit of every height
// between.
bool StretchWithin(const std::vector<float>& heights, std::size_t a, std::size_t b, double limit) {
    const double step = (double{heights[b]} - heights[a]) / static_cast<double>(b - a);
    for (std::size_t k = a + 1; k < b; ++k)
        if (std::fabs(heights[a] + step * static_cast<double>(k - a) - heights[k]) > limit)
            return false;
    return true;
}

// The kept samples of a straight run from sample `from`, `count` samples `step` apart,
// corners excluded; every one of them when whole. With a check, a stretch between two kept
// samples that it finds beyond the limit is halved until it is not (and its halves are kept
// within the limit of the heights too).
void KeepAlongSide(const HeightGrid& grid, std::uint32_t from, std::uint32_t step,
                   std::uint32_t count, double limit, bool whole, const TriangleCheck* check,
                   std::vector<std::uint32_t>& rim) {
    if (whole) {
        for (std::uint32_t k = 1; k + 1 < count; ++k)
            rim.push_back(from + k * step);
        return;
    }
    std::vector<float> heights(count);
    for (std::uint32_t k = 0; k < count; ++k)
        heights[k] = grid.At(from + k * step);
    const double within = limit * kSideMargin;
    std::vector<std::size_t> kept = SimplifyLine(heights, within);
    const auto at = [&](std::size_t i) { return from + static_cast<std::uint32_t>(i) * step; };
    const auto fits = [&](std::size_t a, std::size_t b) {
        return b - a < 2 ||
               (StretchWithin(heights, a, b, within) && check->SideWithin(at(a), at(b), within));
    };
    for (std::size_t k = 0; check != nullptr && k + 1 < kept.size(); ++k) {
        const std::size_t a = kept[k], b = kept[k + 1];
        if (fits(a, b))
            continue;
        // The furthest sample the stretch from a may reach, found by doubling, then halving,
        // the step: a stretch cut in halves would keep up to twice the samples it needs.
        std::size_t good = a + 1;
        for (std::size_t reach = 2; a + reach < b && fits(a, a + reach); reach *= 2)
            good = a + reach;
        std::size_t bad = std::min(b, a + 2 * (good - a));
        while (bad - good > 1) {
            const std::size_t middle = good + (bad - good) / 2;
            (fits(a, middle) ? good : bad) = middle;
        }
        kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(k) + 1, good);
    }
    for (std::size_t k = 1; k + 1 < kept.size(); ++k)
        rim.push_back(at(kept[k]));
}

// The samples a strip must keep on its sides; every sample of its first or last row when
// wholeTop or wholeBottom.
std::vector<std::uint32_t> StripRim(const HeightGrid& grid, GridRect r, double limit, bool wholeTop,
                                    bool wholeBottom, const TriangleCheck* check) {
    std::vector<std::uint32_t> rim;
    const std::uint32_t width = r.col1 - r.col0 + 1, height = r.row1 - r.row0 + 1;
    const std::uint32_t down = grid.cols;
    KeepAlongSide(grid, grid.Sample(r.row0, r.col0), 1, width, limit, wholeTop, check, rim);
    KeepAlongSide(grid, grid.Sample(r.row0, r.col1), down, height, limit, false, check, rim);
    KeepAlongSide(grid, grid.Sample(r.row1, r.col0), 1, width, limit, wholeBottom, check, rim);
    KeepAlongSide(grid, grid.Sample(r.row0, r.col0), down, height, limit, false, check, rim);
    return rim;
}

// The strips' bounds: `count` bands of rows of about equal height sharing their sides, as many
// as a multiple of the threads where they are not too low, so that no thread is left to work
// alone on the last of them.
std::vector<GridRect> Strips(const HeightGrid& grid, int threads) {
    const std::uint32_t cells = grid.rows - 1;
    const auto workers = static_cast<std::uint32_t>(std::max(1, threads));
    std::uint32_t count =
        std::max({1u, cells / kBandCells, std::min(cells / kLeastBandCells, workers)});
    const std::uint32_t even = (count + workers - 1) / workers * workers;
    if (even <= std::max(1u, cells / kLeastBandCells))
        count = even;
    std::vector<GridRect> strips;
    for (std::uint32_t k = 0; k < count; ++k)
        strips.push_back({0, cells * k / count, grid.cols - 1, cells * (k + 1) / count});
    return strips;
}

// The full grid's triangles over rect, holes left out as the picture's cells leave them out.
void FullGrid(const HeightGrid& grid, GridRect rect, GridMesh& mesh) {
    mesh.Reserve(2 * std::size_t{rect.row1 - rect.row0} * (rect.col1 - rect.col0));
    std::vector<std::uint32_t> above(grid.cols, kNoEdge); // the bottom edges of the row above
    for (std::uint32_t row = rect.row0; row < rect.row1; ++row) {
        std::uint32_t left = kNoEdge; // the right edge of the cell before
        for (std::uint32_t col = rect.col0; col < rect.col1; ++col) {
            const std::uint32_t tl = grid.Sample(row, col);
            // Corners and the sides from each to the next: top, right, bottom, left.
            const std::uint32_t corners[4] = {tl, tl + 1, tl + grid.cols + 1, tl + grid.cols};
            std::uint32_t side[4] = {kNoEdge, kNoEdge, kNoEdge, kNoEdge};
            int holes = 0, hole = -1;
            for (int k = 0; k < 4; ++k)
                if (grid.IsHole(corners[k])) {
                    ++holes;
                    hole = k;
                }
            if (holes == 0) {
                const std::uint32_t t =
                    mesh.Add(corners[0], corners[1], corners[2], kNoEdge, kNoEdge, kNoEdge);
                const std::uint32_t u =
                    mesh.Add(corners[0], corners[2], corners[3], 3 * t + 2, kNoEdge, kNoEdge);
                side[0] = 3 * t;
                side[1] = 3 * t + 1;
                side[2] = 3 * u + 1;
                side[3] = 3 * u + 2;
            } else if (holes == 1) {
                const int k0 = (hole + 1) % 4, k1 = (hole + 2) % 4, k2 = (hole + 3) % 4;
                const std::uint32_t t =
                    mesh.Add(corners[k0], corners[k1], corners[k2], kNoEdge, kNoEdge, kNoEdge);
                side[k0] = 3 * t;
                side[k1] = 3 * t + 1;
            }
            if (side[3] != kNoEdge && left != kNoEdge)
                mesh.Link(side[3], left);
            if (side[0] != kNoEdge && above[col] != kNoEdge)
                mesh.Link(side[0], above[col]);
            left = side[1];
            above[col] = side[2];
        }
    }
}

// Refines and collapses each strip, then joins them and collapses along their seams.
void SimplifyStrips(const HeightGrid& grid, double limit, int threads, const TriangleCheck* check,
                    CollapseTries tries, GridMesh& mesh) {
    const std::vector<GridRect> strips = Strips(grid, threads);
    // Where a strip's sides keep many of their samples, so will its inside: collapsing its
    // full grid then costs less than refining towards it, and keeps fewer vertices. Such a
    // strip keeps every sample of the rows it shares until the strips are joined, so its
    // neighbours must start from them all too.
    std::vector<char> dense(strips.size());
    for (std::size_t k = 0; k < strips.size(); ++k) {
        const GridRect& r = strips[k];
        const std::uint32_t sides = 2 * (r.col1 - r.col0 + r.row1 - r.row0);
        dense[k] = StripRim(grid, r, limit, false, false, check).size() > sides * kDenseSides;
    }
    std::vector<GridMesh> parts(strips.size());
    InParallel(static_cast<std::uint32_t>(strips.size()), threads, [&](std::uint32_t k) {
        const GridRect& r = strips[k];
        if (dense[k]) {
            FullGrid(grid, r, parts[k]);
        } else {
            const bool wholeTop = k > 0 && dense[k - 1];
            const bool wholeBottom = k + 1 < strips.size() && dense[k + 1];
            const std::vector<std::uint32_t> rim =
                StripRim(grid, r, limit, wholeTop, wholeBottom, check);
            RefineRectangle(grid, r, rim, kSeedSpacing, limit, 0, parts[k], check);
            parts[k].Compact(grid.cols);
        }
        const bool seamAbove = r.row0 != 0, seamBelow = r.row1 != grid.rows - 1;
        const KeptSample onSeam = [&](std::uint32_t sample) {
            const std::uint32_t row = grid.Row(sample);
            return (seamAbove && row == r.row0) || (seamBelow && row == r.row1);
        };
        CollapseEdges(grid, r, limit, tries, onSeam, parts[k], check);
        parts[k].Compact();
    });
    std::size_t total = 0;
    for (const GridMesh& part : parts)
        total += part.Slots();
    mesh.Reserve(total);
    for (GridMesh& part : parts) {
        mesh.Append(part);
        part = GridMesh();
    }
    if (strips.size() == 1)
        return;
    mesh.JoinRims();
    // The seams' vertices, in one pass over the mesh: a collapser per seam would go over the
    // whole mesh to find its own.
    std::vector<std::uint32_t> seams;
    for (std::size_t k = 1; k < strips.size(); ++k)
        seams.push_back(strips[k].row0);
    CollapseRows(grid, seams, limit, mesh, check);
}

// A bit for each sample of the grid: whether it is a vertex of mesh.
std::vector<std::uint64_t> UsedSamples(const HeightGrid& grid, const GridMesh& mesh) {
    std::vector<std::uint64_t> used((grid.Samples() + 63) / 64, 0);
    for (std::uint32_t e = 0; e < 3 * mesh.Slots(); ++e) {
        const std::uint32_t s = mesh.From(e);
        if (s != kNoEdge)
            used[s / 64] |= std::uint64_t{1} << (s % 64);
    }
    return used;
}

// The vertices of mesh, ascending.
std::vector<std::uint32_t> Vertices(const std::vector<std::uint64_t>& used) {
    std::vector<std::uint32_t> vertices;
    for (std::size_t w = 0; w < used.size(); ++w)
        for (std::uint64_t bits = used[w]; bits != 0; bits &= bits - 1)
            vertices.push_back(static_cast<std::uint32_t>(w * 64) +
                               static_cast<std::uint32_t>(__builtin_ctzll(bits)));
    return vertices;
}

// The living triangles of mesh, in order, and their vertices.
SimplifiedMesh Gather(const HeightGrid& grid, const GridMesh& mesh) {
    SimplifiedMesh out;
    const std::vector<std::uint64_t> used = UsedSamples(grid, mesh);
    out.vertices = Vertices(used);
    std::vector<std::uint32_t> before(used.size()); // vertices in the words before
    std::uint32_t count = 0;
    for (std::size_t w = 0; w < used.size(); ++w) {
        before[w] = count;
        count += static_cast<std::uint32_t>(__builtin_popcountll(used[w]));
    }
    const auto index = [&](std::uint32_t s) {
        const std::uint64_t below = used[s / 64] & ((std::uint64_t{1} << (s % 64)) - 1);
        return before[s / 64] + static_cast<std::uint32_t>(__builtin_popcountll(below));
    };
    out.triangles.reserve(mesh.Living());
    for (std::uint32_t t = 0; t < mesh.Slots(); ++t)
        if (mesh.Alive(t))
            out.triangles.push_back({index(mesh.From(3 * t)), index(mesh.From(3 * t + 1)),
                                     index(mesh.From(3 * t + 2))});
    return out;
}

// The whole grid refined within floor until the budget is spent; returns the error left.
double RefineWithin(const HeightGrid& grid, std::uint64_t budget, double floor, GridMesh& mesh) {
    const GridRect all{0, 0, grid.cols - 1, grid.rows - 1};
    return std::max(floor, RefineRectangle(grid, all, {}, 0, floor, budget, mesh).errorLeft);
}

// Spends a triangle budget: refinement until the budget is spent gives an error that surely
// fits once collapsed; a search below it finds the lowest error whose strips fit.
void SimplifyWithin(const HeightGrid& grid, const SimplifyGoal& goal, GridMesh& mesh) {
    const std::uint64_t budget = std::max<std::uint64_t>(goal.maxTriangles, 2);
    GridMesh refined;
    const double fits = RefineWithin(grid, budget, goal.maxError, refined);
    BudgetSearch search(budget, goal.maxError, fits, fits * kFirstAim);
    bool found = false;
    while (const std::optional<double> limit = search.Next()) {
        GridMesh tried;
        // A budget is spent on the least error: worth trying again.
        SimplifyStrips(grid, *limit, goal.threads, nullptr, CollapseTries::kUntilNoneGoes, tried);
        if (search.Record(*limit, tried.Living())) {
            mesh = std::move(tried);
            refined = GridMesh(); // no longer needed to fall back on
            found = true;
        }
    }
    if (!found) {
        const GridRect all{0, 0, grid.cols - 1, grid.rows - 1};
        CollapseEdges(grid, all, fits, CollapseTries::kUntilNoneGoes, nullptr, refined);
        mesh = std::move(refined);
    }
}

// How far apart the highest and the lowest sample outside the holes lie.
double HeightRange(const HeightGrid& grid) {
    float low = INFINITY, high = -INFINITY;
    for (std::uint32_t s = 0; s < grid.Samples(); ++s)
        if (!grid.IsHole(s)) {
            low = std::min(low, grid.At(s));
            high = std::max(high, grid.At(s));
        }
    return double{high} - double{low};
}

// The lowest error whose collapsed full grid fits the budget; when none does, the fewest
// triangles the holes' outline leaves. The full grid is collapsed once, within the lowest
// error allowed, and every try goes on from that or from the collapses of the highest try
// below it that did not fit.
void CollapseWithin(const HeightGrid& grid, const SimplifyGoal& goal, GridMesh& mesh) {
    const std::uint64_t budget = std::max<std::uint64_t>(goal.maxTriangles, 2);
    const GridRect all{0, 0, grid.cols - 1, grid.rows - 1};
    const auto collapse = [&](double limit, GridMesh& m) {
        CollapseEdges(grid, all, limit, CollapseTries::kUntilNoneGoes, nullptr, m, goal.check);
        m.Compact();
        return m.Living() + (goal.check != nullptr
                                 ? goal.check->AddedTriangles(Vertices(UsedSamples(grid, m)))
                                 : 0);
    };
    GridMesh below; // collapsed within belowLimit, and more than the budget
    FullGrid(grid, all, below);
    if (collapse(goal.maxError, below) <= budget) {
        mesh = std::move(below);
        return;
    }
    double belowLimit = goal.maxError;
    const double ceiling =
        std::max(goal.maxError, goal.ceiling ? *goal.ceiling : HeightRange(grid));
    BudgetSearch search(budget, goal.maxError, ceiling, FirstBudgetAim(grid, budget));
    while (const std::optional<double> limit = search.Next()) {
        GridMesh tried = below;
        const std::uint64_t triangles = collapse(*limit, tried);
        if (search.Record(*limit, triangles)) {
            mesh = std::move(tried);
        } else if (triangles > budget && *limit > belowLimit) {
            below = std::move(tried);
            belowLimit = *limit;
        }
    }
    if (search.Hopeless())
        mesh = std::move(below);
}

} // namespace

double FirstBudgetAim(const HeightGrid& grid, std::uint64_t maxTriangles) {
    if (grid.rows < 2 || grid.cols < 2)
        return 0;
    GridMesh refined;
    return RefineWithin(grid, std::max<std::uint64_t>(maxTriangles, 2), 0, refined) * kFirstAim;
}

SimplifiedMesh SimplifyGrid(const HeightGrid& grid, const SimplifyGoal& goal) {
    if (grid.rows < 2 || grid.cols < 2)
        return {};
    const int threads = std::max(1, goal.threads);
    const bool holes = grid.AnyHole();
    GridMesh mesh;
    const GridRect all{0, 0, grid.cols - 1, grid.rows - 1};
    if (holes && goal.maxTriangles != 0) {
        CollapseWithin(grid, goal, mesh);
    } else if (holes) {
        FullGrid(grid, all, mesh);
        CollapseEdges(grid, all, goal.maxError, CollapseTries::kUntilNoneGoes, nullptr, mesh,
                      goal.check);
    } else if (goal.maxTriangles != 0 && goal.check == nullptr) {
        SimplifyWithin(grid, goal, mesh);
    } else {
        // Trying again is worth its time where the check refuses many first tries.
        SimplifyStrips(grid, goal.maxError, threads, goal.check,
                       goal.check != nullptr ? CollapseTries::kUntilNoneGoes : CollapseTries::kOnce,
                       mesh);
    }
    SimplifiedMesh out = Gather(grid, mesh);
    if (goal.measure)
        out.maxError = MeasureError(grid, out, threads);
    return out;
}

double MeasureError(const HeightGrid& grid, const SimplifiedMesh& mesh, int threads) {
    const auto parts = static_cast<std::uint32_t>(std::max(1, threads));
    std::vector<double> worst(parts, 0);
    InParallel(parts, threads, [&](std::uint32_t k) {
        const std::size_t count = mesh.triangles.size();
        for (std::size_t t = count * k / parts; t < count * (k + 1) / parts; ++t) {
            const auto& c = mesh.triangles[t];
            const double error =
                ScanTriangle(grid, mesh.vertices[c[0]], mesh.vertices[c[1]], mesh.vertices[c[2]])
                    .error;
            worst[k] = std::max(worst[k], error);
        }
    });
    return *std::max_element(worst.begin(), worst.end());
}
