#include "fuzz/solid/SolidOracle.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "plugin/mesh/SampleGrayGrid.h"

namespace {

struct Box {
    double low[3] = {std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity()};
    double high[3] = {-low[0], -low[0], -low[0]};
    void Add(const Vertex& v) {
        const double p[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    }
    double Extent(int axis) const { return high[axis] - low[axis]; }
    double Reach() const {
        double reach = 0;
        for (int k = 0; k < 3; ++k)
            reach = std::max({reach, std::fabs(low[k]), std::fabs(high[k])});
        return reach;
    }
};

// Equal up to the arithmetic of single precision at the model's size (and 3MF's six
// decimals): sizes are differences of coordinates a float step of the largest apart.
bool Near(double a, double b, const Box& box) {
    return std::fabs(a - b) <=
           1e-4 * std::max(std::fabs(a), std::fabs(b)) + 8 * FLT_EPSILON * box.Reach() + 1e-5;
}

double Cross(const Vertex& a, const Vertex& b, const Vertex& c, int axis) {
    const double u[3] = {double{b.x} - a.x, double{b.y} - a.y, double{b.z} - a.z};
    const double w[3] = {double{c.x} - a.x, double{c.y} - a.y, double{c.z} - a.z};
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    return u[i] * w[j] - u[j] * w[i];
}

std::int32_t MeshResOf(int percent) {
    constexpr int kPercents[] = {100, 75, 66, 50, 33, 25, 20, 10};
    return static_cast<std::int32_t>(
               std::find(std::begin(kPercents), std::end(kPercents), percent) -
               std::begin(kPercents)) +
           1;
}

// Whether the picture, as the tool meshes it (inverted when asked), has a black pixel.
bool HasBlack(const SolidCase& c) {
    const std::uint16_t black = c.invert ? (c.wide ? 65535 : 255) : 0;
    return std::find(c.levels.begin(), c.levels.end(), black) != c.levels.end();
}

// The heights of the picture's darkest and brightest pixels, from 0 (black) to 1 (white).
std::pair<double, double> LevelRange(const SolidCase& c) {
    const auto [low, high] = std::minmax_element(c.levels.begin(), c.levels.end());
    const double top = c.wide ? 65535.0 : 255.0;
    return {*low / top, *high / top};
}

std::optional<std::string> Topology(const SolidCase& c, const ReadBackMesh& mesh) {
    // lib3mf stores six decimals: corners a millionth of a millimetre apart (near a sphere's
    // poles, at a one-column seam) meet in the file. Until the 3MF writer stores coordinates
    // exactly, a 3MF triangle is checked by its corners' indices alone.
    const bool exact = c.format != "3mf";
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    double volume = 0;
    for (const Triangle& t : mesh.triangles) {
        const Vertex &a = mesh.vertices[t.v[0]], &b = mesh.vertices[t.v[1]],
                     &d = mesh.vertices[t.v[2]];
        if (t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2] ||
            (exact && Cross(a, b, d, 0) == 0 && Cross(a, b, d, 1) == 0 && Cross(a, b, d, 2) == 0))
            return "a triangle without area";
        for (int k = 0; k < 3; ++k)
            ++edges[{t.v[k], t.v[(k + 1) % 3]}];
        volume += (double{a.x} * (double{b.y} * d.z - double{b.z} * d.y) -
                   double{a.y} * (double{b.x} * d.z - double{b.z} * d.x) +
                   double{a.z} * (double{b.x} * d.y - double{b.y} * d.x)) /
                  6;
    }
    if (!c.solid)
        return std::nullopt;
    for (const auto& [edge, uses] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (uses != 1 || back == edges.end() || back->second != 1)
            return "an edge of the solid not used once in each direction";
    }
    if (!(volume > 0))
        return "a solid whose volume is not positive";
    return std::nullopt;
}

std::optional<std::string> Placement(const SolidCase& c, const Box& box) {
    if (c.origin == ModelOrigin::kCenter &&
        (!Near(box.low[0], -box.high[0], box) || !Near(box.low[1], -box.high[1], box) ||
         !Near(box.low[2], 0, box)))
        return "--center does not centre the box on x = y = 0 with its bottom on z = 0";
    if (c.origin == ModelOrigin::kCorner &&
        (!Near(box.low[0], 0, box) || !Near(box.low[1], 0, box) || !Near(box.low[2], 0, box)))
        return "--corner does not put the box's lowest corner at the origin";
    return std::nullopt;
}

// A Rectangular model's X extent and relief as asked, its surface covering the picture.
std::optional<std::string> RectangularSizes(const SolidCase& c, const ReadBackMesh& mesh,
                                            const Box& box, GridSize grid) {
    // Holes may take the first or the last column away.
    if (c.blackHoles.value_or(false) && HasBlack(c))
        return std::nullopt;
    if (c.widthMm && grid.cols >= 2 && !Near(box.Extent(0), *c.widthMm, box))
        return "--width is not the X extent";
    if (c.reliefMm && grid.rows >= 2 && grid.cols >= 2) {
        const auto [dark, bright] = LevelRange(c);
        const double surface = *c.reliefMm * (bright - dark);
        const double expected = surface + (c.solid ? c.baseMm.value_or(1.0f) : 0.0);
        // Sampling below 100 % averages the levels: the range can only shrink.
        if (c.resolution == 100 ? !Near(box.Extent(2), expected, box)
                                : box.Extent(2) > expected && !Near(box.Extent(2), expected, box))
            return "--relief is not the height of white above black";
    }
    if (c.solid)
        return std::nullopt;
    const std::uint64_t cells =
        grid.rows >= 2 && grid.cols >= 2 ? std::uint64_t{grid.rows - 1u} * (grid.cols - 1u) : 0;
    if (mesh.triangles.size() != 2 * cells)
        return "the open surface has not two triangles a cell";
    double area = 0;
    for (const Triangle& t : mesh.triangles) {
        const double up =
            Cross(mesh.vertices[t.v[0]], mesh.vertices[t.v[1]], mesh.vertices[t.v[2]], 2) / 2;
        if (!(up > 0))
            return "a triangle of the open surface faces down";
        area += up;
    }
    if (cells > 0 && !Near(area, box.Extent(0) * box.Extent(1), box))
        return "the open surface does not cover the picture";
    return std::nullopt;
}

std::optional<std::string> RoundCover(const SolidCase& c, const ReadBackMesh& mesh, GridSize grid) {
    if (c.solid || (c.blackHoles.value_or(false) && HasBlack(c)))
        return std::nullopt;
    // The seam column closes every row: a cell between each two points of it.
    const std::uint64_t cells = grid.rows >= 2 ? std::uint64_t{grid.rows - 1u} * grid.cols : 0;
    const bool tube = c.mesh == "cylindrical";
    if (mesh.triangles.size() > 2 * cells || (tube && mesh.triangles.size() != 2 * cells))
        return "the open surface does not cover the picture once";
    return std::nullopt;
}

} // namespace

std::optional<std::string> BrokenPromise(const SolidCase& c, const ReadBackMesh& mesh) {
    Box box;
    for (const Vertex& v : mesh.vertices) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
            return "a coordinate that is not finite";
    }
    for (const Triangle& t : mesh.triangles)
        for (const std::uint32_t index : t.v)
            box.Add(mesh.vertices[index]);
    if (auto broken = Topology(c, mesh))
        return broken;
    if (mesh.triangles.empty())
        return std::nullopt;
    if (auto broken = Placement(c, box))
        return broken;
    const GridSize grid = SampledGridSize(c.rows, c.cols, MeshResOf(c.resolution));
    if (c.mesh == "rectangular")
        return RectangularSizes(c, mesh, box, grid);
    return RoundCover(c, mesh, grid);
}
