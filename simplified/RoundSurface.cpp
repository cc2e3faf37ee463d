#include "simplified/RoundSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <thread>

#include "plugin/run/MeshSettings.h"

namespace {

// Differences below this share of the radius are the points' own rounding, not an error.
constexpr double kNoise = 1.0 / (1 << 20);
// How far outside a facet's edges (as a share of the edge's own scale) a ray still counts as
// crossing it, so that a sample on an edge is measured by the facets on both sides.
constexpr double kEdgeSlack = 1e-9;
// An error that no limit allows: the triangle may not stay.
constexpr double kNotAllowed = std::numeric_limits<double>::max();
constexpr std::uint32_t kPole = 0xFFFFFFFF;
// A sample's marks with holes: a corner of a triangle of the full mesh's grid, of a pole's
// fan, and next to a hole (itself, or one of the eight samples around it).
constexpr std::uint8_t kOnGrid = 1, kOnFan = 2, kNearHole = 4;

struct V3 {
    double x, y, z;
};
V3 Of(const Vertex& v) {
    return {v.x, v.y, v.z};
}
V3 operator-(const V3& a, const V3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const V3& a, const V3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Cross(const V3& a, const V3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(const V3& a) {
    return std::sqrt(Dot(a, a));
}
V3 Scaled(const V3& a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
// The 2D cross product of two directions in the x-z plane.
double CrossXZ(double ax, double az, double bx, double bz) {
    return ax * bz - az * bx;
}

// Where a ray starts: a tube's at the axis at the point's height, a globe's at the middle.
V3 Origin(bool tube, const V3& p) {
    return tube ? V3{0, p.y, 0} : V3{0, 0, 0};
}

} // namespace

struct RoundSurface::Footprint {
    std::int64_t x[3], y[3]; // columns and rows
    std::int64_t area;       // twice the signed area
    bool Holds(std::int64_t col, std::int64_t row) const {
        for (int k = 0; k < 3; ++k) {
            const int n = (k + 1) % 3;
            const std::int64_t side = (x[n] - x[k]) * (row - y[k]) - (y[n] - y[k]) * (col - x[k]);
            if ((side < 0 && area > 0) || (side > 0 && area < 0))
                return false;
        }
        return true;
    }
    // Whether the sample lies on an edge between two corners of one column.
    bool OnMeridian(std::int64_t col, std::int64_t row) const {
        for (int k = 0; k < 3; ++k) {
            const int n = (k + 1) % 3;
            if (x[k] == x[n] && col == x[k] && row >= std::min(y[k], y[n]) &&
                row <= std::max(y[k], y[n]))
                return true;
        }
        return false;
    }
};

struct RoundSurface::Facet {
    V3 p[3];                  // wound to face outward
    std::uint32_t corner[3];  // samples of Grid(), or kPole
    std::uint32_t col0, col1; // the picture's columns its rays may cross it at
    std::uint32_t row0, row1; // and rows
};

RoundSurface::RoundSurface(const RoundDomain& domain, const std::vector<float>& levels,
                           std::vector<Vertex> points, Vertex north, Vertex south,
                           double levelHeight, const std::vector<std::uint8_t>& holes)
    : domain_(domain), rows_(domain.Rows()), perRow_(domain.PerRow()),
      widest_(std::max(1u, domain.columns / 4)), turned_(levels.size()), points_(std::move(points)),
      north_(north), south_(south), levelHeight_(levelHeight) {
    for (std::uint32_t j = 0; j < rows_; ++j)
        for (std::uint32_t c = 0; c < perRow_; ++c)
            turned_[std::size_t{c} * rows_ + j] = levels[std::size_t{j} * perRow_ + c];
    MarkHoles(holes);
}

void RoundSurface::MarkHoles(const std::vector<std::uint8_t>& holes) {
    if (std::none_of(holes.begin(), holes.end(), [](std::uint8_t h) { return h != 0; }))
        return;
    const auto pictureRows = static_cast<std::uint32_t>(holes.size() / perRow_);
    const auto hole = [&](std::uint32_t r, std::uint32_t c) {
        return holes[std::size_t{r} * perRow_ + c] != 0;
    };
    const auto sample = [&](std::uint32_t r, std::uint32_t c) {
        return std::size_t{c} * rows_ + (r - domain_.firstRow);
    };
    turnedHoles_.resize(turned_.size());
    marks_.assign(turned_.size(), 0);
    for (std::uint32_t r = domain_.firstRow; r <= domain_.lastRow; ++r)
        for (std::uint32_t c = 0; c < perRow_; ++c) {
            turnedHoles_[sample(r, c)] = hole(r, c);
            // The seam's two columns are one column of the picture: both are Fixed anyway.
            for (std::uint32_t n = std::max(r, 1u) - 1; n <= std::min(r + 1, pictureRows - 1); ++n)
                for (std::uint32_t m = std::max(c, 1u) - 1; m <= std::min(c + 1, domain_.columns);
                     ++m)
                    if (hole(n, m))
                        marks_[sample(r, c)] |= kNearHole;
        }
    // The grid's cells as the full mesh reduces them: one black corner leaves the triangle of
    // the other three, more leave nothing.
    for (std::uint32_t r = domain_.firstRow; r < domain_.lastRow; ++r)
        for (std::uint32_t c = 0; c < domain_.columns; ++c) {
            const std::uint32_t rs[4] = {r, r, r + 1, r + 1}, cs[4] = {c, c + 1, c + 1, c};
            int black = 0;
            for (int k = 0; k < 4; ++k)
                black += hole(rs[k], cs[k]);
            for (int k = 0; black <= 1 && k < 4; ++k)
                if (!hole(rs[k], cs[k]))
                    marks_[sample(rs[k], cs[k])] |= kOnGrid;
        }
    // A pole's cell keeps its fan triangle (the pole and the row's two samples) while the
    // row's two are not black and one of the pole's two is not: the welded pole stands for
    // the other.
    for (const bool north : {true, false}) {
        if (!(north ? domain_.northPole : domain_.southPole))
            continue;
        const std::uint32_t row = north ? domain_.firstRow : domain_.lastRow;
        const std::uint32_t pole = north ? row - 1 : row + 1;
        std::vector<std::uint32_t>& dropped = dropped_[north ? 0 : 1];
        dropped.assign(perRow_, 0);
        for (std::uint32_t c = 0; c < domain_.columns; ++c) {
            const bool kept =
                !hole(row, c) && !hole(row, c + 1) && !(hole(pole, c) && hole(pole, c + 1));
            dropped[c + 1] = dropped[c] + (kept ? 0 : 1);
            if (kept) {
                marks_[sample(row, c)] |= kOnFan;
                marks_[sample(row, c + 1)] |= kOnFan;
            }
        }
    }
}

HeightGrid RoundSurface::Grid() const {
    return {turned_.data(), perRow_, rows_, turnedHoles_.empty() ? nullptr : turnedHoles_.data()};
}

bool RoundSurface::FanKept(bool north, std::uint32_t left, std::uint32_t right) const {
    const std::vector<std::uint32_t>& dropped = dropped_[north ? 0 : 1];
    return dropped.empty() || dropped[Column(right)] == dropped[Column(left)];
}

const Vertex& RoundSurface::Point(std::uint32_t sample) const {
    return points_[std::size_t{sample % rows_} * perRow_ + sample / rows_];
}

bool RoundSurface::Fixed(std::uint32_t sample) const {
    const std::uint32_t c = Column(sample);
    return c == 0 || c == domain_.columns || (!marks_.empty() && marks_[sample] & kNearHole);
}

double RoundSurface::ErrorAt(std::uint32_t s, double t) const {
    const V3 p = Of(Point(s));
    const double radius = Length(p - Origin(domain_.meshType == kCylindrical, p));
    return std::max(0.0, std::fabs(t - radius) - kNoise * radius) / levelHeight_;
}

RoundSurface::Facet RoundSurface::Triangle(std::uint32_t a, std::uint32_t b,
                                           std::uint32_t c) const {
    // The turned grid reflects the picture, whose cells face outward: a triangle that turns
    // positively on it faces inward as it stands.
    Facet f{{Of(Point(a)), Of(Point(c)), Of(Point(b))}, {a, c, b}, 0, 0, 0, 0};
    f.col0 = std::min({Column(a), Column(b), Column(c)});
    f.col1 = std::max({Column(a), Column(b), Column(c)});
    f.row0 = std::min({Row(a), Row(b), Row(c)});
    f.row1 = std::max({Row(a), Row(b), Row(c)});
    return f;
}

RoundSurface::Facet RoundSurface::Fan(bool north, std::uint32_t left, std::uint32_t right) const {
    // As the plug-in's cells next to a pole are wound: the pole, then the row's vertices.
    const V3 pole = Of(north ? north_ : south_);
    Facet f = north ? Facet{{pole, Of(Point(right)), Of(Point(left))}, {kPole, right, left}}
                    : Facet{{Of(Point(left)), Of(Point(right)), pole}, {left, right, kPole}};
    f.col0 = Column(left);
    f.col1 = Column(right);
    f.row0 = f.row1 = Row(left);
    return f;
}

bool RoundSurface::Allowed(const Facet& f) const {
    if (f.col1 - f.col0 > widest_)
        return false;
    const bool tube = domain_.meshType == kCylindrical;
    const V3 n = Cross(f.p[1] - f.p[0], f.p[2] - f.p[0]);
    for (const V3& p : f.p)
        if (!(Dot(n, p - Origin(tube, p)) > 0))
            return false;
    return true;
}

namespace {

// The highest and lowest y a direction along the great circle arc from a to b (unit vectors)
// reaches.
void ArcHeights(const V3& a, const V3& b, double& high, double& low) {
    high = std::max({high, a.y, b.y});
    low = std::min({low, a.y, b.y});
    const V3 n = Cross(a, b);
    const double length = Length(n);
    if (!(length > 0))
        return;
    const V3 axis = Scaled(n, 1 / length);
    // The circle's nearest point to the north pole, if the arc passes it; its antipode is the
    // nearest to the south pole.
    V3 top{-axis.x * axis.y, 1 - axis.y * axis.y, -axis.z * axis.y};
    const double topLength = Length(top);
    if (!(topLength > 0))
        return;
    top = Scaled(top, 1 / topLength);
    const V3 bottom = Scaled(top, -1);
    const auto onArc = [&](const V3& p) {
        return Dot(Cross(a, p), n) >= 0 && Dot(Cross(p, b), n) >= 0;
    };
    if (onArc(top))
        high = std::max(high, top.y);
    if (onArc(bottom))
        low = std::min(low, bottom.y);
}

} // namespace

RoundSurface::Footprint RoundSurface::FootprintOf(std::uint32_t a, std::uint32_t b,
                                                  std::uint32_t c) const {
    Footprint f{};
    const std::uint32_t corners[3] = {a, b, c};
    for (int k = 0; k < 3; ++k)
        f.x[k] = Column(corners[k]), f.y[k] = Row(corners[k]);
    f.area = (f.x[1] - f.x[0]) * (f.y[2] - f.y[0]) - (f.y[1] - f.y[0]) * (f.x[2] - f.x[0]);
    return f;
}

ScanResult RoundSurface::Crossed(const Facet& f, double stop) const {
    ScanResult worst;
    const bool tube = domain_.meshType == kCylindrical;
    std::uint32_t row0 = f.row0, row1 = f.row1;
    if (!tube) {
        // A globe's facet bows towards a pole between its corners: its rows come from the
        // arcs its edges make.
        double high = -1, low = 1;
        V3 unit[3];
        for (int k = 0; k < 3; ++k)
            unit[k] = Scaled(f.p[k], 1 / Length(f.p[k]));
        for (int k = 0; k < 3; ++k)
            ArcHeights(unit[k], unit[(k + 1) % 3], high, low);
        const double step = std::numbers::pi / (domain_.meshRows - 1);
        const double top = std::acos(std::clamp(high, -1.0, 1.0)) / step - 1;
        const double bottom = std::acos(std::clamp(low, -1.0, 1.0)) / step + 1;
        const auto first = static_cast<double>(domain_.firstRow);
        const auto last = static_cast<double>(domain_.lastRow);
        row0 = static_cast<std::uint32_t>(std::clamp(std::floor(top), first, last));
        row1 = static_cast<std::uint32_t>(std::clamp(std::ceil(bottom), first, last));
    }
    const V3 n = Cross(f.p[1] - f.p[0], f.p[2] - f.p[0]);
    const double plane = Dot(n, f.p[0]);
    // A globe's ray crosses the facet when it runs inside the three planes through the middle
    // and each edge.
    V3 sides[3];
    double slack[3];
    for (int k = 0; k < 3; ++k) {
        sides[k] = Cross(f.p[k], f.p[(k + 1) % 3]);
        slack[k] = -kEdgeSlack * Length(sides[k]);
    }
    for (std::uint32_t r = row0; r <= row1 && worst.error <= stop; ++r) {
        // A tube's facet meets the plane of row r's rays in a segment, from e0 along d.
        double e0x = 0, e0z = 0, dx = 0, dz = 0;
        if (tube) {
            const double y = Point((f.col0 * rows_) + (r - domain_.firstRow)).y;
            double ends[4][2];
            int count = 0;
            for (int k = 0; k < 3; ++k) {
                const V3 &p = f.p[k], &q = f.p[(k + 1) % 3];
                if (p.y == y)
                    ends[count][0] = p.x, ends[count++][1] = p.z;
                else if ((p.y - y) * (q.y - y) < 0) {
                    const double w = (y - p.y) / (q.y - p.y);
                    ends[count][0] = p.x + w * (q.x - p.x);
                    ends[count++][1] = p.z + w * (q.z - p.z);
                }
            }
            if (count < 2)
                continue;
            e0x = ends[0][0], e0z = ends[0][1];
            for (int k = 1; k < count; ++k)
                if (std::hypot(ends[k][0] - e0x, ends[k][1] - e0z) > std::hypot(dx, dz))
                    dx = ends[k][0] - e0x, dz = ends[k][1] - e0z;
            if (!(std::hypot(dx, dz) > 0))
                continue;
        }
        for (std::uint32_t c = f.col0; c <= f.col1; ++c) {
            const std::uint32_t s = c * rows_ + (r - domain_.firstRow);
            if (s == f.corner[0] || s == f.corner[1] || s == f.corner[2] ||
                (!marks_.empty() && !(marks_[s] & (kOnGrid | kOnFan))))
                continue;
            const V3 p = Of(Point(s));
            double t = 0;
            if (tube) {
                const double radius = std::hypot(p.x, p.z);
                const double ux = p.x / radius, uz = p.z / radius;
                const double across = CrossXZ(ux, uz, dx, dz);
                if (across == 0)
                    continue;
                const double along = CrossXZ(e0x, e0z, ux, uz) / across;
                t = CrossXZ(e0x, e0z, dx, dz) / across;
                if (along < -kEdgeSlack || along > 1 + kEdgeSlack || !(t > 0))
                    continue;
            } else {
                const V3 u = Scaled(p, 1 / Length(p));
                if (Dot(u, sides[0]) < slack[0] || Dot(u, sides[1]) < slack[1] ||
                    Dot(u, sides[2]) < slack[2])
                    continue;
                t = plane / Dot(n, u);
            }
            const double error = ErrorAt(s, t);
            if (error > worst.error)
                worst = {error, s};
        }
    }
    return worst;
}

std::vector<RoundSurface::Facet> RoundSurface::FansOf(std::uint32_t a, std::uint32_t b,
                                                      std::uint32_t c) const {
    std::vector<Facet> fans;
    const std::uint32_t corners[3] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        std::uint32_t p = corners[k], q = corners[(k + 1) % 3];
        if (Row(p) != Row(q))
            continue;
        if (Column(p) > Column(q))
            std::swap(p, q);
        if (domain_.northPole && Row(p) == domain_.firstRow && FanKept(true, p, q))
            fans.push_back(Fan(true, p, q));
        if (domain_.southPole && Row(p) == domain_.lastRow && FanKept(false, p, q))
            fans.push_back(Fan(false, p, q));
    }
    return fans;
}

ScanResult RoundSurface::Nearest(std::uint32_t a, std::uint32_t b, std::uint32_t c, double col,
                                 double row, double error) const {
    const Footprint f = FootprintOf(a, b, c);
    ScanResult best{0, a}, meridian{0, a};
    double nearest = std::numeric_limits<double>::infinity(), nearestMeridian = nearest;
    const auto [c0, c1] = std::minmax({Column(a), Column(b), Column(c)});
    const auto [r0, r1] = std::minmax({Row(a), Row(b), Row(c)});
    for (std::uint32_t r = r0; r <= r1; ++r)
        for (std::uint32_t x = c0; x <= c1; ++x) {
            const std::uint32_t s = x * rows_ + (r - domain_.firstRow);
            if (s == a || s == b || s == c || Fixed(s) || !f.Holds(x, r))
                continue;
            const double distance = (x - col) * (x - col) + (r - row) * (r - row);
            const bool along = f.OnMeridian(x, r);
            double& least = along ? nearestMeridian : nearest;
            if (distance < least) {
                least = distance;
                (along ? meridian : best) = {error, s};
            }
        }
    return best.error > 0 ? best : meridian;
}

ScanResult RoundSurface::Worst(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
    const Facet f = Triangle(a, b, c);
    if (!Allowed(f)) {
        const double col = (Column(a) + Column(b) + Column(c)) / 3.0;
        const double row = (Row(a) + Row(b) + Row(c)) / 3.0;
        return Nearest(a, b, c, col, row, kNotAllowed);
    }
    ScanResult worst = Crossed(f, kNotAllowed);
    for (const Facet& fan : FansOf(a, b, c)) {
        if (!Allowed(fan)) {
            // Narrower fans, from a vertex between the two on the row.
            const std::uint32_t left = fan.corner[0] == kPole ? fan.corner[2] : fan.corner[0];
            const std::uint32_t right = fan.corner[1];
            if (Column(right) - Column(left) > 1)
                return {kNotAllowed, (Column(left) + Column(right)) / 2 * rows_ + left % rows_};
            continue;
        }
        const ScanResult crossed = Crossed(fan, kNotAllowed);
        if (crossed.error > worst.error)
            worst = crossed;
    }
    if (worst.error == 0)
        return worst;
    // The worst sample itself, when it lies in the triangle on the grid; else (near a pole
    // a facet's rays stray far from its place on the grid) the nearest sample that does, or,
    // when none does, the worst sample where it lies: made a vertex there, it takes its ray
    // off this facet. A Fixed one lies on a meridian, whose rays only cross the sides along
    // it, which the sides' own test keeps.
    const Footprint footprint = FootprintOf(a, b, c);
    const std::uint32_t col = Column(worst.worst), row = Row(worst.worst);
    if (!Fixed(worst.worst) && footprint.Holds(col, row))
        return worst;
    const ScanResult near = Nearest(a, b, c, col, row, worst.error);
    if (near.error > 0)
        return near;
    return Fixed(worst.worst) ? ScanResult{0, a} : worst;
}

bool RoundSurface::Within(std::uint32_t a, std::uint32_t b, std::uint32_t c, double limit) const {
    const Facet f = Triangle(a, b, c);
    if (!Allowed(f) || Crossed(f, limit).error > limit)
        return false;
    for (const Facet& fan : FansOf(a, b, c))
        if (!Allowed(fan) || Crossed(fan, limit).error > limit)
            return false;
    return true;
}

bool RoundSurface::SideWithin(std::uint32_t from, std::uint32_t to, double limit) const {
    // A side along a row is an end of the surface, which no strip shares; a sample next to a
    // hole (on the first or last row: next to a pole's) stays a vertex there.
    const bool alongRow = Column(from) != Column(to);
    const std::uint32_t step = alongRow ? rows_ : 1;
    for (std::uint32_t s = from + step; alongRow && !marks_.empty() && s < to; s += step)
        if (Fixed(s))
            return false;
    // A globe's row, by the poles, is left to the triangles' own test and the fans'.
    const bool tube = domain_.meshType == kCylindrical;
    if (alongRow && !tube)
        return true;
    // The seam's last column is judged as its first, so that both keep the same rows.
    if (!alongRow && Column(from) == domain_.columns) {
        from -= domain_.columns * rows_;
        to -= domain_.columns * rows_;
    }
    const V3 p = Of(Point(from)), d = Of(Point(to)) - p;
    for (std::uint32_t s = from + step; s < to; s += step) {
        const V3 q = Of(Point(s)), origin = Origin(tube, q);
        const V3 u = Scaled(q - origin, 1 / Length(q - origin));
        // Where the ray comes closest to the side's line: it meets it, both lying in one
        // plane (a meridian's, or a tube's end's).
        const V3 w = origin - p;
        const double b = Dot(u, d), c = Dot(d, d), e = Dot(u, w), f = Dot(d, w);
        const double t = (b * f - c * e) / (c - b * b);
        // A side whose ends meet (a welded tube's whole end) has no line: nothing is within.
        if (!(c > 0) || ErrorAt(s, t) > limit)
            return false;
    }
    return true;
}

std::vector<RoundSurface::FanSide>
RoundSurface::Fans(const std::vector<std::uint32_t>& vertices) const {
    // The vertices are in the order of columns, and so are those of each row.
    std::vector<FanSide> fans;
    for (const bool north : {true, false}) {
        if (!(north ? domain_.northPole : domain_.southPole))
            continue;
        const std::uint32_t row = north ? domain_.firstRow : domain_.lastRow;
        std::uint32_t left = kPole;
        for (const std::uint32_t v : vertices) {
            if (Row(v) != row)
                continue;
            if (left != kPole && FanKept(north, left, v))
                fans.push_back({north, left, v});
            left = v;
        }
    }
    return fans;
}

std::uint64_t RoundSurface::AddedTriangles(const std::vector<std::uint32_t>& vertices) const {
    SimplifiedMesh kept;
    kept.vertices = vertices;
    AddFanCorners(kept);
    return Fans(kept.vertices).size();
}

void RoundSurface::AddFanCorners(SimplifiedMesh& mesh) const {
    std::vector<std::uint32_t> added; // ascending
    for (std::uint32_t c = 0; c < perRow_; ++c)
        for (std::uint32_t j = 0; j < rows_; j += std::max(1u, rows_ - 1)) {
            const std::uint32_t s = c * rows_ + j;
            const bool fanned =
                (domain_.northPole && j == 0) || (domain_.southPole && j == rows_ - 1);
            if (fanned &&
                (marks_.empty() ? rows_ == 1 : (marks_[s] & (kOnGrid | kOnFan)) == kOnFan))
                added.push_back(s);
        }
    if (added.empty())
        return;
    // Merged in order; the triangles follow their vertices.
    std::vector<std::uint32_t> merged, moved(mesh.vertices.size());
    merged.reserve(mesh.vertices.size() + added.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        for (; next < added.size() && added[next] < mesh.vertices[i]; ++next)
            merged.push_back(added[next]);
        moved[i] = static_cast<std::uint32_t>(merged.size());
        merged.push_back(mesh.vertices[i]);
    }
    merged.insert(merged.end(), added.begin() + static_cast<std::ptrdiff_t>(next), added.end());
    for (auto& triangle : mesh.triangles)
        for (std::uint32_t& v : triangle)
            v = moved[v];
    mesh.vertices = std::move(merged);
}

double RoundSurface::MeasureError(const SimplifiedMesh& mesh, int threads) const {
    std::vector<Facet> fans;
    for (const FanSide& f : Fans(mesh.vertices))
        fans.push_back(Fan(f.north, f.left, f.right));
    const std::size_t count = mesh.triangles.size() + fans.size();
    const auto parts = static_cast<std::uint32_t>(std::max(1, threads));
    std::vector<double> worst(parts, 0);
    const auto work = [&](std::uint32_t k) {
        for (std::size_t i = count * k / parts; i < count * (k + 1) / parts; ++i) {
            const Facet f = i >= mesh.triangles.size()
                                ? fans[i - mesh.triangles.size()]
                                : Triangle(mesh.vertices[mesh.triangles[i][0]],
                                           mesh.vertices[mesh.triangles[i][1]],
                                           mesh.vertices[mesh.triangles[i][2]]);
            worst[k] = std::max(worst[k], Crossed(f, kNotAllowed).error);
        }
    };
    std::vector<std::thread> pool;
    for (std::uint32_t k = 1; k < parts; ++k)
        pool.emplace_back(work, k);
    work(0);
    for (std::thread& thread : pool)
        thread.join();
    return *std::max_element(worst.begin(), worst.end()) * levelHeight_;
}
