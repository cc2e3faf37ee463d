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

// Equal up to the arithmetic of single precision at the model's size: sizes are differences
// of coordinates a float step of the largest apart.
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

// The case as the tool is to read it: --lithophane stands for a solid with dark parts thick,
// no black holes unless asked, a 0.8 mm wall and 2.2 mm of relief unless given; a solid's own
// options ask for a solid.
SolidCase Effective(SolidCase c) {
    if (c.lithophane) {
        c.invert = true;
        c.blackHoles = c.blackHoles.value_or(false);
        if (!c.wallMm && !c.baseMm)
            c.wallMm = 0.8f;
        c.reliefMm = c.reliefMm.value_or(2.2f);
    }
    c.solid = c.solid || c.lithophane || c.baseMm || c.wallMm || c.openingMm;
    return c;
}

// The file's up axis: Y for an open OBJ surface, as modelling programs read OBJ, else Z.
int UpAxis(const SolidCase& c) {
    return c.format == "obj" && !c.solid ? 1 : 2;
}

bool Simplified(const SolidCase& c) {
    return c.maxError || c.triangles;
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
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    double volume = 0;
    for (const Triangle& t : mesh.triangles) {
        const Vertex &a = mesh.vertices[t.v[0]], &b = mesh.vertices[t.v[1]],
                     &d = mesh.vertices[t.v[2]];
        if (t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2] ||
            (Cross(a, b, d, 0) == 0 && Cross(a, b, d, 1) == 0 && Cross(a, b, d, 2) == 0))
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

// --center, and a solid unless --corner is given: the box centred on the horizontal axes
// and resting on the ground (0 on the up axis); --corner: its lowest corner at the origin,
// seen in Z-up axes (an open OBJ surface's (x, z, -y) of those).
std::optional<std::string> Placement(const SolidCase& c, const Box& box) {
    const int up = UpAxis(c), across = up == 2 ? 1 : 2;
    const bool centred =
        c.origin == ModelOrigin::kCenter || (c.solid && c.origin == ModelOrigin::kAsMade);
    if (centred && (!Near(box.low[0], -box.high[0], box) ||
                    !Near(box.low[across], -box.high[across], box) || !Near(box.low[up], 0, box)))
        return "the box is not centred on the ground";
    const double acrossCorner = up == 2 ? box.low[1] : box.high[2];
    if (c.origin == ModelOrigin::kCorner &&
        (!Near(box.low[0], 0, box) || !Near(acrossCorner, 0, box) || !Near(box.low[up], 0, box)))
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
    const int up = UpAxis(c), across = up == 2 ? 1 : 2;
    if (c.reliefMm && grid.rows >= 2 && grid.cols >= 2) {
        const auto [dark, bright] = LevelRange(c);
        const double surface = *c.reliefMm * (bright - dark);
        const double expected =
            surface + (c.solid ? c.baseMm.value_or(c.wallMm.value_or(1.0f)) : 0.0);
        // Sampling below 100 % averages the levels: the range can only shrink. So does a
        // simplified surface's, by at most its error at each end.
        const double extent = box.Extent(up);
        const bool above = extent > expected && !Near(extent, expected, box);
        const double least =
            Simplified(c) ? expected - 2.0 * c.maxError.value_or(std::numeric_limits<float>::max())
                          : expected;
        if (above || (c.resolution == 100 && extent < least && !Near(extent, least, box)))
            return "--relief is not the height of white above black";
    }
    if (c.solid)
        return std::nullopt;
    const std::uint64_t cells =
        grid.rows >= 2 && grid.cols >= 2 ? std::uint64_t{grid.rows - 1u} * (grid.cols - 1u) : 0;
    if (!Simplified(c) && mesh.triangles.size() != 2 * cells)
        return "the open surface has not two triangles a cell";
    double area = 0;
    for (const Triangle& t : mesh.triangles) {
        const double facing =
            Cross(mesh.vertices[t.v[0]], mesh.vertices[t.v[1]], mesh.vertices[t.v[2]], up) / 2;
        if (!(facing > 0))
            return "a triangle of the open surface faces down";
        area += facing;
    }
    if (cells > 0 && !Near(area, box.Extent(0) * box.Extent(across), box))
        return "the open surface does not cover the picture";
    return std::nullopt;
}

// A round model's length as asked, its open surface covering the picture at most once (cells
// whose corners meet once placed, near a pole or an axis, are left out).
std::optional<std::string> RoundSizes(const SolidCase& c, const ReadBackMesh& mesh, const Box& box,
                                      GridSize grid) {
    const bool holes = c.blackHoles.value_or(false) && HasBlack(c);
    if (c.mesh == "cylindrical" && c.heightMm && !holes &&
        !Near(box.Extent(UpAxis(c)), *c.heightMm, box))
        return "--height is not the tube's length";
    if (c.solid || holes)
        return std::nullopt;
    // The seam column closes every row: a cell between each two points of it.
    const std::uint64_t cells = grid.rows >= 2 ? std::uint64_t{grid.rows - 1u} * grid.cols : 0;
    if (mesh.triangles.size() > 2 * cells)
        return "the open surface does not cover the picture once";
    return std::nullopt;
}

} // namespace

std::optional<std::string> BrokenPromise(const SolidCase& asked, const ReadBackMesh& mesh) {
    const SolidCase c = Effective(asked);
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
    if (c.triangles && !c.solid && mesh.triangles.size() > *c.triangles)
        return "more triangles than --triangles allows";
    if (mesh.triangles.empty())
        return std::nullopt;
    if (auto broken = Placement(c, box))
        return broken;
    const GridSize grid = SampledGridSize(c.rows, c.cols, MeshResOf(c.resolution));
    if (c.mesh == "rectangular")
        return RectangularSizes(c, mesh, box, grid);
    return RoundSizes(c, mesh, box, grid);
}
