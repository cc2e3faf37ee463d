#include "simplify/GreedyRefine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "simplify/TriangleScan.h"

namespace {

__extension__ using Wide = __int128;

// Whether d lies strictly inside the circle through a, b, c (Turn(a, b, c) > 0). Exact: in 64
// bits while the points lie within 2^13 of d, in 128 beyond.
template <class Number>
bool InCircleIn(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t cx,
                std::int64_t cy) {
    const Number aa = Number{ax} * ax + Number{ay} * ay;
    const Number bb = Number{bx} * bx + Number{by} * by;
    const Number cc = Number{cx} * cx + Number{cy} * cy;
    const Number det =
        ax * (by * cc - bb * cy) - ay * (bx * cc - bb * cx) + aa * (bx * cy - by * cx);
    return det > 0;
}

bool InCircle(GridPoint a, GridPoint b, GridPoint c, GridPoint d) {
    const std::int64_t ax = a.x - d.x, ay = a.y - d.y, bx = b.x - d.x, by = b.y - d.y;
    const std::int64_t cx = c.x - d.x, cy = c.y - d.y;
    constexpr std::int64_t kNear = std::int64_t{1} << 13;
    if (std::max({std::abs(ax), std::abs(ay), std::abs(bx), std::abs(by), std::abs(cx),
                  std::abs(cy)}) < kNear)
        return InCircleIn<std::int64_t>(ax, ay, bx, by, cx, cy);
    return InCircleIn<Wide>(ax, ay, bx, by, cx, cy);
}

class Refiner {
  public:
    Refiner(const HeightGrid& grid, GridMesh& mesh, double limit, std::uint64_t maxTriangles,
            const TriangleCheck* check)
        : grid_(grid), mesh_(mesh), limit_(limit), maxTriangles_(maxTriangles), check_(check) {}

    RefineResult Run(GridRect rect, const std::vector<std::uint32_t>& rim, std::uint32_t spacing);

  private:
    // A triangle's error, then the triangle and its stamp, in one number: errors are never
    // negative, so their bits order as they do, and one comparison of the whole (branch-free,
    // where the heap's sifting would mispredict three) gives a total order: the standard
    // libraries' heaps hand out equal errors in different orders, and the files would differ
    // from one build to the next.
    struct Queued {
        Queued(double error, std::uint32_t triangle, std::uint32_t stamp) {
            std::uint64_t bits; // std::bit_cast, which not every standard library has yet
            std::memcpy(&bits, &error, sizeof bits);
            key = Wide{bits} << 64 | std::uint64_t{triangle} << 32 | stamp;
        }
        double Error() const {
            const auto bits = static_cast<std::uint64_t>(key >> 64);
            double error;
            std::memcpy(&error, &bits, sizeof error);
            return error;
        }
        std::uint32_t Triangle() const { return static_cast<std::uint32_t>(key >> 32); }
        std::uint32_t Stamp() const { return static_cast<std::uint32_t>(key); }
        bool operator<(const Queued& other) const { return key < other.key; }

        __extension__ using Wide = unsigned __int128;
        Wide key;
    };

    GridPoint At(std::uint32_t sample) const { return PointOf(grid_, sample); }
    std::uint32_t Locate(std::uint32_t sample, std::uint32_t from) const;
    // How far sample, inside triangle t, lies from t's plane.
    double SampleError(std::uint32_t sample, std::uint32_t t) const;
    // Makes sample a vertex of triangle t, which holds it.
    void Insert(std::uint32_t sample, std::uint32_t t);
    void SplitInside(std::uint32_t sample, std::uint32_t t);
    void SplitEdge(std::uint32_t sample, std::uint32_t e);
    void Legalize(std::uint32_t e);
    void Touch(std::uint32_t t);
    void ScanTouched();
    // The check's verdict on triangle t when its heights are within the limit; a sample on a
    // side that a neighbouring strip shares, or already a vertex, is never split at.
    ScanResult Checked(std::uint32_t t, const ScanResult& heights) const;
    bool IsCorner(std::uint32_t sample, std::uint32_t t) const;
    bool OnSharedSide(std::uint32_t sample) const;
    // The sample nearest `near` strictly inside t's circumcircle that may be made a vertex, which
    // takes t away; kNoEdge when there is none.
    std::uint32_t Displacing(std::uint32_t t, std::uint32_t near) const;
    // How many triangles making sample a vertex of t adds.
    std::uint32_t Growth(std::uint32_t sample, std::uint32_t t) const;
    // Which edge of t the sample lies on, or kNoEdge when it is inside.
    std::uint32_t EdgeHolding(std::uint32_t sample, std::uint32_t t) const;

    const HeightGrid& grid_;
    GridMesh& mesh_;
    double limit_;
    std::uint64_t maxTriangles_;
    const TriangleCheck* check_;
    GridRect rect_{};
    std::vector<std::uint32_t> candidate_, stamp_;
    std::vector<std::uint8_t> touched_;
    std::vector<std::uint32_t> touchedList_, legalize_, starts_;
    std::vector<Queued> queue_;
};

std::uint32_t Refiner::EdgeHolding(std::uint32_t sample, std::uint32_t t) const {
    const GridPoint p = At(sample);
    for (std::uint32_t e = 3 * t; e < 3 * t + 3; ++e)
        if (Turn(At(mesh_.From(e)), At(mesh_.To(e)), p) == 0)
            return e;
    return kNoEdge;
}

std::uint32_t Refiner::Growth(std::uint32_t sample, std::uint32_t t) const {
    const std::uint32_t e = EdgeHolding(sample, t);
    return e != kNoEdge && mesh_.Twin(e) == kNoEdge ? 1 : 2;
}

std::uint32_t Refiner::Locate(std::uint32_t sample, std::uint32_t t) const {
    const GridPoint p = At(sample);
    for (;;) {
        std::uint32_t across = kNoEdge;
        for (std::uint32_t e = 3 * t; e < 3 * t + 3 && across == kNoEdge; ++e)
            if (Turn(At(mesh_.From(e)), At(mesh_.To(e)), p) < 0)
                across = mesh_.Twin(e);
        if (across == kNoEdge)
            return t;
        t = across / 3;
    }
}

double Refiner::SampleError(std::uint32_t sample, std::uint32_t t) const {
    const std::uint32_t a = mesh_.From(3 * t), b = mesh_.From(3 * t + 1), c = mesh_.From(3 * t + 2);
    const GridPoint p = At(sample), pa = At(a), pb = At(b), pc = At(c);
    const auto wa = static_cast<double>(Turn(pb, pc, p)), wb = static_cast<double>(Turn(pc, pa, p));
    const auto wc = static_cast<double>(Turn(pa, pb, p));
    const double d = wa + wb + wc;
    const double plane = wa * grid_.At(a) + wb * grid_.At(b) + wc * grid_.At(c);
    return std::fabs(grid_.At(sample) * d - plane) / d;
}

void Refiner::Touch(std::uint32_t t) {
    if (t >= touched_.size()) {
        const std::size_t size = std::max<std::size_t>(t + 1, 2 * touched_.size());
        touched_.resize(size, 0);
        candidate_.resize(size, 0);
        stamp_.resize(size, 0);
    }
    if (!touched_[t]) {
        touched_[t] = 1;
        touchedList_.push_back(t);
    }
}

void Refiner::SplitInside(std::uint32_t p, std::uint32_t t) {
    const std::uint32_t e = 3 * t;
    const std::uint32_t a = mesh_.From(e), b = mesh_.From(e + 1), c = mesh_.From(e + 2);
    const std::uint32_t ab = mesh_.Twin(e), bc = mesh_.Twin(e + 1), ca = mesh_.Twin(e + 2);
    mesh_.Set(t, a, b, p, ab, kNoEdge, kNoEdge);
    const std::uint32_t t1 = mesh_.Add(b, c, p, bc, kNoEdge, e + 1);
    const std::uint32_t t2 = mesh_.Add(c, a, p, ca, e + 2, 3 * t1 + 1);
    for (const std::uint32_t n : {t, t1, t2}) {
        Touch(n);
        legalize_.push_back(3 * n);
    }
}

void Refiner::SplitEdge(std::uint32_t p, std::uint32_t e) {
    const std::uint32_t t = e / 3, f = mesh_.Twin(e);
    const std::uint32_t a = mesh_.From(e), b = mesh_.To(e), c = mesh_.From(GridMesh::Prev(e));
    const std::uint32_t bc = mesh_.Twin(GridMesh::Next(e)), ca = mesh_.Twin(GridMesh::Prev(e));
    std::uint32_t ad = kNoEdge, db = kNoEdge, d = kNoEdge;
    if (f != kNoEdge) {
        d = mesh_.From(GridMesh::Prev(f));
        ad = mesh_.Twin(GridMesh::Next(f));
        db = mesh_.Twin(GridMesh::Prev(f));
    }
    mesh_.Set(t, a, p, c, kNoEdge, kNoEdge, ca);
    const std::uint32_t t1 = mesh_.Add(p, b, c, kNoEdge, bc, 3 * t + 1);
    Touch(t);
    Touch(t1);
    legalize_.push_back(3 * t + 2);
    legalize_.push_back(3 * t1 + 1);
    if (f == kNoEdge)
        return;
    const std::uint32_t u = f / 3;
    mesh_.Set(u, b, p, d, 3 * t1, kNoEdge, db);
    const std::uint32_t u1 = mesh_.Add(p, a, d, 3 * t, ad, 3 * u + 1);
    Touch(u);
    Touch(u1);
    legalize_.push_back(3 * u + 2);
    legalize_.push_back(3 * u1 + 1);
}

// Flips edges opposite the new point while its far neighbour lies inside their circle.
void Refiner::Legalize(std::uint32_t first) {
    legalize_.push_back(first);
    while (!legalize_.empty()) {
        const std::uint32_t e = legalize_.back();
        legalize_.pop_back();
        const std::uint32_t f = mesh_.Twin(e);
        if (f == kNoEdge)
            continue;
        const std::uint32_t a = mesh_.From(e), b = mesh_.To(e), c = mesh_.From(GridMesh::Prev(e));
        const std::uint32_t d = mesh_.From(GridMesh::Prev(f));
        if (!InCircle(At(a), At(b), At(c), At(d)))
            continue;
        const std::uint32_t bc = mesh_.Twin(GridMesh::Next(e)), ca = mesh_.Twin(GridMesh::Prev(e));
        const std::uint32_t ad = mesh_.Twin(GridMesh::Next(f)), db = mesh_.Twin(GridMesh::Prev(f));
        const std::uint32_t t = e / 3, u = f / 3;
        mesh_.Set(t, a, d, c, ad, kNoEdge, ca);
        mesh_.Set(u, d, b, c, db, bc, 3 * t + 1);
        Touch(t);
        Touch(u);
        legalize_.push_back(3 * t);
        legalize_.push_back(3 * u);
    }
}

void Refiner::Insert(std::uint32_t p, std::uint32_t t) {
    const std::uint32_t e = EdgeHolding(p, t);
    if (e == kNoEdge)
        SplitInside(p, t);
    else
        SplitEdge(p, e);
    starts_.swap(legalize_);
    legalize_.clear();
    for (const std::uint32_t edge : starts_)
        Legalize(edge);
    starts_.clear();
}

void Refiner::ScanTouched() {
    for (const std::uint32_t t : touchedList_) {
        touched_[t] = 0;
        ++stamp_[t];
        const std::uint32_t e = 3 * t;
        ScanResult scan = ScanTriangle(grid_, mesh_.From(e), mesh_.From(e + 1), mesh_.From(e + 2));
        if (check_ != nullptr && scan.error <= limit_)
            scan = Checked(t, scan);
        candidate_[t] = scan.worst;
        if (scan.error > limit_) {
            queue_.push_back({scan.error, t, stamp_[t]});
            std::push_heap(queue_.begin(), queue_.end());
        }
    }
    touchedList_.clear();
}

bool Refiner::IsCorner(std::uint32_t sample, std::uint32_t t) const {
    return mesh_.From(3 * t) == sample || mesh_.From(3 * t + 1) == sample ||
           mesh_.From(3 * t + 2) == sample;
}

bool Refiner::OnSharedSide(std::uint32_t sample) const {
    const std::uint32_t row = grid_.Row(sample), col = grid_.Col(sample);
    return (row == rect_.row0 && row != 0) || (row == rect_.row1 && row + 1 != grid_.rows) ||
           (col == rect_.col0 && col != 0) || (col == rect_.col1 && col + 1 != grid_.cols);
}

std::uint32_t Refiner::Displacing(std::uint32_t t, std::uint32_t near) const {
    const GridPoint a = At(mesh_.From(3 * t)), b = At(mesh_.From(3 * t + 1));
    const GridPoint c = At(mesh_.From(3 * t + 2)), n = At(near);
    // The circumcircle's bounds, from its centre relative to a.
    const auto bx = static_cast<double>(b.x - a.x), by = static_cast<double>(b.y - a.y);
    const auto cx = static_cast<double>(c.x - a.x), cy = static_cast<double>(c.y - a.y);
    const double d = 2 * (bx * cy - by * cx);
    const double ux = (cy * (bx * bx + by * by) - by * (cx * cx + cy * cy)) / d;
    const double uy = (bx * (cx * cx + cy * cy) - cx * (bx * bx + by * by)) / d;
    const double radius = std::hypot(ux, uy) + 1;
    const auto bound = [](double v, std::uint32_t low, std::uint32_t high) {
        return static_cast<std::uint32_t>(
            std::clamp(v, static_cast<double>(low), static_cast<double>(high)));
    };
    const double mx = static_cast<double>(a.x) + ux, my = static_cast<double>(a.y) + uy;
    std::uint32_t best = kNoEdge;
    std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
    for (std::uint32_t row = bound(my - radius, rect_.row0, rect_.row1);
         row <= bound(my + radius, rect_.row0, rect_.row1); ++row)
        for (std::uint32_t col = bound(mx - radius, rect_.col0, rect_.col1);
             col <= bound(mx + radius, rect_.col0, rect_.col1); ++col) {
            const std::uint32_t sample = grid_.Sample(row, col);
            const GridPoint p = At(sample);
            const std::int64_t distance = (p.x - n.x) * (p.x - n.x) + (p.y - n.y) * (p.y - n.y);
            if (distance < nearest && InCircle(a, b, c, p) && !check_->Fixed(sample) &&
                !OnSharedSide(sample) && !IsCorner(sample, Locate(sample, t))) {
                nearest = distance;
                best = sample;
            }
        }
    return best;
}

ScanResult Refiner::Checked(std::uint32_t t, const ScanResult& heights) const {
    const ScanResult spatial =
        check_->Worst(mesh_.From(3 * t), mesh_.From(3 * t + 1), mesh_.From(3 * t + 2));
    if (!(spatial.error > limit_))
        return heights;
    // The check may name a sample outside t, made a vertex where it lies, unless it is one
    // already (the surface folds over it); else the triangles must change around t.
    if (!OnSharedSide(spatial.worst) && !IsCorner(spatial.worst, Locate(spatial.worst, t)))
        return spatial;
    const std::uint32_t other = Displacing(t, spatial.worst);
    return other == kNoEdge ? heights : ScanResult{spatial.error, other};
}

RefineResult Refiner::Run(GridRect r, const std::vector<std::uint32_t>& rim,
                          std::uint32_t spacing) {
    RefineResult result;
    rect_ = r;
    const std::uint32_t tl = grid_.Sample(r.row0, r.col0), tr = grid_.Sample(r.row0, r.col1);
    const std::uint32_t br = grid_.Sample(r.row1, r.col1), bl = grid_.Sample(r.row1, r.col0);
    const std::uint32_t first = mesh_.Add(tl, tr, br, kNoEdge, kNoEdge, kNoEdge);
    mesh_.Add(tl, br, bl, 3 * first + 2, kNoEdge, kNoEdge);
    std::uint32_t near = first;
    const auto place = [&](std::uint32_t sample) {
        Insert(sample, Locate(sample, near));
        near = mesh_.Slots() - 1;
    };
    for (const std::uint32_t sample : rim)
        place(sample);
    // A seed the surface already passes within the limit would only have to be collapsed again.
    for (std::uint32_t row = r.row0 + spacing; spacing != 0 && row < r.row1; row += spacing)
        for (std::uint32_t col = r.col0 + spacing; col < r.col1; col += spacing) {
            const std::uint32_t sample = grid_.Sample(row, col);
            const std::uint32_t t = Locate(sample, near);
            if (SampleError(sample, t) > limit_) {
                Insert(sample, t);
                near = mesh_.Slots() - 1;
            } else {
                near = t;
            }
        }
    touchedList_.clear();
    std::fill(touched_.begin(), touched_.end(), 0);
    for (std::uint32_t t = 0; t < mesh_.Slots(); ++t)
        Touch(t);
    ScanTouched();
    std::uint64_t triangles = mesh_.Living();
    while (!queue_.empty()) {
        const Queued top = queue_.front();
        if (top.Stamp() != stamp_[top.Triangle()]) {
            std::pop_heap(queue_.begin(), queue_.end());
            queue_.pop_back();
            continue;
        }
        const std::uint32_t sample = candidate_[top.Triangle()];
        const std::uint32_t holder = Locate(sample, top.Triangle());
        if (IsCorner(sample, holder)) {
            // Another triangle the check found straying made it a vertex: look again.
            std::pop_heap(queue_.begin(), queue_.end());
            queue_.pop_back();
            Touch(top.Triangle());
            ScanTouched();
            continue;
        }
        if (maxTriangles_ != 0) {
            const std::uint32_t growth = Growth(sample, holder);
            if (triangles + growth > maxTriangles_) {
                result.errorLeft = top.Error();
                break;
            }
            triangles += growth;
        }
        std::pop_heap(queue_.begin(), queue_.end());
        queue_.pop_back();
        Insert(sample, holder);
        // A triangle the sample lay outside of may stray over it still.
        Touch(top.Triangle());
        ScanTouched();
    }
    return result;
}

} // namespace

RefineResult RefineRectangle(const HeightGrid& grid, GridRect rect,
                             const std::vector<std::uint32_t>& rim, std::uint32_t seedSpacing,
                             double limit, std::uint64_t maxTriangles, GridMesh& mesh,
                             const TriangleCheck* check) {
    Refiner refiner(grid, mesh, limit, maxTriangles, check);
    return refiner.Run(rect, rim, seedSpacing);
}
