#include "simplify/EdgeCollapse.h"

#include <algorithm>
#include <cmath>

#include "simplify/TriangleScan.h"

namespace {

// kRim: a vertex on the rim, which it stays on for as long as it lives (a collapse moves the
// rim's vertices only along it), so its half-edge in out_ must stay the rim's.
constexpr std::uint8_t kQueued = 1, kPinched = 2, kRim = 4;

class Collapser {
  public:
    // rows: empty, or the only rows of window whose vertices are tried (and kept track of).
    Collapser(const HeightGrid& grid, GridRect window, const std::vector<std::uint32_t>& rows,
              double limit, CollapseTries tries, const KeptSample& kept, GridMesh& mesh,
              const TriangleCheck* check);
    // Tries every vertex of the window, row by row (and again as tries_ says).
    std::uint64_t Run();

  private:
    std::size_t Local(std::uint32_t sample) const {
        if (!rows_.empty())
            return std::size_t{rowSlot_[grid_.Row(sample)]} * width_ + grid_.Col(sample);
        // Bands span the grid's width: their samples are numbered as the grid numbers them.
        if (width_ == grid_.cols)
            return sample - grid_.Sample(window_.row0, 0);
        return std::size_t{grid_.Row(sample) - window_.row0} * width_ +
               (grid_.Col(sample) - window_.col0);
    }
    GridPoint At(std::uint32_t sample) const { return PointOf(grid_, sample); }
    bool Inside(std::uint32_t sample) const {
        if (!rows_.empty())
            return rowSlot_[grid_.Row(sample)] != kNoEdge;
        if (width_ == grid_.cols)
            return sample >= first_ && sample <= last_;
        const std::uint32_t row = grid_.Row(sample), col = grid_.Col(sample);
        return row >= window_.row0 && row <= window_.row1 && col >= window_.col0 &&
               col <= window_.col1;
    }
    // The half-edges leaving v, counter-clockwise, the rim's first; whether v is on the rim.
    bool Ring(std::uint32_t v, std::vector<std::uint32_t>& ring) const;
    // The same from the vertex's first half-edge (RimFirst of any).
    bool RingFrom(std::uint32_t start, std::vector<std::uint32_t>& ring) const;
    // A vertex's neighbours, from its ring.
    void Neighbours(const std::vector<std::uint32_t>& ring, bool rim,
                    std::vector<std::uint32_t>& out) const;
    // The half-edge leaving start's vertex along the rim, or start when it is inside.
    std::uint32_t RimFirst(std::uint32_t start) const;
    void StartAtRim(std::uint32_t v);
    void Enqueue(std::uint32_t v);
    bool TryRemove(std::uint32_t v);
    // Whether the triangles that stay keep turning the same way once v has moved onto u, and v
    // stays within the limit: quick, and what most moves fail.
    bool Unfolded(std::uint32_t v, std::uint32_t u) const;
    // The rest of what moving v onto u must keep: the surface unfolded where v and u meet, and
    // every sample under the triangles that change within the limit.
    bool CanMerge(std::uint32_t u);
    // Whether v stays within the limit of the triangle that covers it once it has moved onto u.
    bool VertexWithin(std::uint32_t v, std::uint32_t u) const;
    void Merge(std::uint32_t v, std::uint32_t u);
    void Relink(std::uint32_t a, std::uint32_t b) {
        if (a != kNoEdge)
            mesh_.Link(a, b);
        else if (b != kNoEdge)
            mesh_.Link(b, a);
    }

    const HeightGrid& grid_;
    GridRect window_;
    std::uint32_t width_, first_, last_; // the window's first and last samples
    const std::vector<std::uint32_t>& rows_;
    std::vector<std::uint32_t> rowSlot_; // with rows_, each grid row's place among them, or kNoEdge
    double limit_;
    CollapseTries tries_;
    const KeptSample& kept_;
    GridMesh& mesh_;
    const TriangleCheck* check_;
    std::vector<std::uint32_t> out_; // a half-edge leaving each vertex (the rim's, on the rim)
    std::vector<std::uint8_t> flags_;
    std::vector<std::uint32_t> queue_;
    // The triangles around the vertex being removed: their other corners, x then y.
    struct Fan {
        std::uint32_t x, y;
        GridPoint a, b;
    };
    std::vector<Fan> fan_;
    std::vector<std::uint32_t> ring_, otherRing_, neighbours_, otherNeighbours_, candidates_;
};

Collapser::Collapser(const HeightGrid& grid, GridRect window,
                     const std::vector<std::uint32_t>& rows, double limit, CollapseTries tries,
                     const KeptSample& kept, GridMesh& mesh, const TriangleCheck* check)
    : grid_(grid), window_(window), width_(window.col1 - window.col0 + 1),
      first_(grid.Sample(window.row0, window.col0)), last_(grid.Sample(window.row1, window.col1)),
      rows_(rows), limit_(limit), tries_(tries), kept_(kept), mesh_(mesh), check_(check) {
    if (!rows_.empty()) {
        rowSlot_.assign(grid.rows, kNoEdge);
        for (std::size_t k = 0; k < rows_.size(); ++k)
            rowSlot_[rows_[k]] = static_cast<std::uint32_t>(k);
    }
    const std::size_t area =
        std::size_t{width_} * (rows_.empty() ? window.row1 - window.row0 + 1 : rows_.size());
    out_.assign(area, kNoEdge);
    flags_.assign(area, 0);
    for (std::uint32_t e = 0; e < 3 * mesh_.Slots(); ++e) {
        if (!mesh_.Alive(e / 3) || !Inside(mesh_.From(e)))
            continue;
        const std::size_t v = Local(mesh_.From(e));
        if (mesh_.Twin(e) != kNoEdge) {
            if (out_[v] == kNoEdge)
                out_[v] = e;
            continue;
        }
        // A second rim edge leaving the same vertex: two fans meet there.
        if (out_[v] != kNoEdge && mesh_.Twin(out_[v]) == kNoEdge)
            flags_[v] |= kPinched;
        flags_[v] |= kRim;
        out_[v] = e;
    }
}

bool Collapser::Ring(std::uint32_t v, std::vector<std::uint32_t>& ring) const {
    return RingFrom(out_[Local(v)], ring);
}

bool Collapser::RingFrom(std::uint32_t start, std::vector<std::uint32_t>& ring) const {
    ring.clear();
    std::uint32_t e = start;
    do {
        ring.push_back(e);
        e = mesh_.Twin(GridMesh::Prev(e));
    } while (e != kNoEdge && e != start);
    return mesh_.Twin(start) == kNoEdge;
}

void Collapser::Neighbours(const std::vector<std::uint32_t>& ring, bool rim,
                           std::vector<std::uint32_t>& out) const {
    out.clear();
    for (const std::uint32_t e : ring)
        out.push_back(mesh_.To(e));
    if (rim)
        out.push_back(mesh_.From(GridMesh::Prev(ring.back())));
}

std::uint32_t Collapser::RimFirst(std::uint32_t start) const {
    for (std::uint32_t e = start;;) {
        const std::uint32_t twin = mesh_.Twin(e);
        if (twin == kNoEdge)
            return e;
        e = GridMesh::Next(twin);
        if (e == start)
            return start;
    }
}

void Collapser::StartAtRim(std::uint32_t v) {
    std::uint32_t& out = out_[Local(v)];
    out = RimFirst(out);
}

void Collapser::Enqueue(std::uint32_t v) {
    std::uint8_t& flags = flags_[Local(v)];
    if (flags & kQueued)
        return;
    flags |= kQueued;
    queue_.push_back(v);
}

bool Collapser::VertexWithin(std::uint32_t v, std::uint32_t u) const {
    const GridPoint p = At(v), to = At(u);
    const double height = grid_.At(v);
    for (const Fan& f : fan_) {
        if (f.x == u || f.y == u)
            continue;
        const std::int64_t wu = Turn(f.a, f.b, p), wx = Turn(f.b, to, p), wy = Turn(to, f.a, p);
        if (wu < 0 || wx < 0 || wy < 0)
            continue;
        const auto d = static_cast<double>(wu + wx + wy);
        const double plane = static_cast<double>(wu) * grid_.At(u) +
                             static_cast<double>(wx) * grid_.At(f.x) +
                             static_cast<double>(wy) * grid_.At(f.y);
        return std::fabs(height * d - plane) <= limit_ * d;
    }
    return true;
}

bool Collapser::Unfolded(std::uint32_t v, std::uint32_t u) const {
    const GridPoint to = At(u);
    for (const Fan& f : fan_)
        if (f.x != u && f.y != u && Turn(to, f.a, f.b) <= 0)
            return false;
    // v itself often strays furthest.
    return VertexWithin(v, u);
}

bool Collapser::CanMerge(std::uint32_t u) {
    // Every sample under the triangles that change must stay within the limit...
    for (const Fan& f : fan_)
        if (f.x != u && f.y != u && !TriangleWithin(grid_, u, f.x, f.y, limit_))
            return false;
    for (const Fan& f : fan_)
        if (check_ != nullptr && f.x != u && f.y != u && !check_->Within(u, f.x, f.y, limit_))
            return false;
    // ...and, as only the triangles on the edge v-u go, their far corners must be the only
    // neighbours v and u share, or the surface would fold onto itself (seldom: last).
    std::size_t far = 0;
    for (const Fan& f : fan_)
        far += f.x == u || f.y == u;
    // u's ring from a half-edge leaving it in v's ring: u may lie outside the window.
    std::uint32_t leaving = kNoEdge;
    for (const std::uint32_t e : ring_) {
        if (mesh_.To(e) == u)
            leaving = GridMesh::Next(e);
        else if (mesh_.From(GridMesh::Prev(e)) == u)
            leaving = GridMesh::Prev(e);
    }
    if (Inside(u))
        leaving = flags_[Local(u)] & kRim ? out_[Local(u)] : leaving;
    else
        leaving = RimFirst(leaving);
    const bool uRim = RingFrom(leaving, otherRing_);
    Neighbours(otherRing_, uRim, otherNeighbours_);
    std::size_t shared = 0;
    for (const std::uint32_t n : neighbours_)
        shared += std::find(otherNeighbours_.begin(), otherNeighbours_.end(), n) !=
                  otherNeighbours_.end();
    return shared == far;
}

void Collapser::Merge(std::uint32_t v, std::uint32_t u) {
    for (const std::uint32_t e : ring_) {
        const std::uint32_t x = mesh_.To(e), y = mesh_.From(GridMesh::Prev(e));
        if (x == u)
            Relink(mesh_.Twin(GridMesh::Next(e)), mesh_.Twin(GridMesh::Prev(e)));
        else if (y == u)
            Relink(mesh_.Twin(e), mesh_.Twin(GridMesh::Next(e)));
    }
    for (const std::uint32_t e : ring_) {
        const std::uint32_t x = mesh_.To(e), y = mesh_.From(GridMesh::Prev(e));
        if (x == u || y == u)
            mesh_.Kill(e / 3);
        else
            mesh_.SetFrom(e, u);
    }
    out_[Local(v)] = kNoEdge;
    // The vertices around keep a half-edge of a living triangle, the rim's own on the rim: of
    // theirs only u's can have gone or left the rim. Those outside the window are never looked
    // at.
    for (const std::uint32_t e : ring_) {
        if (!mesh_.Alive(e / 3))
            continue;
        for (const std::uint32_t corner : {e, GridMesh::Next(e), GridMesh::Prev(e)}) {
            const std::uint32_t n = mesh_.From(corner);
            if (Inside(n) &&
                (n == u || !(flags_[Local(n)] & kRim) || mesh_.Twin(corner) == kNoEdge))
                out_[Local(n)] = corner;
        }
    }
    if (Inside(u) && flags_[Local(u)] & kRim)
        StartAtRim(u);
    if (tries_ == CollapseTries::kOnce)
        return;
    if (Inside(u))
        Enqueue(u);
    for (const std::uint32_t e : ring_) {
        if (!mesh_.Alive(e / 3))
            continue;
        for (const std::uint32_t n : {mesh_.To(e), mesh_.From(GridMesh::Prev(e))})
            if (Inside(n))
                Enqueue(n);
    }
}

bool Collapser::TryRemove(std::uint32_t v) {
    if (flags_[Local(v)] & kPinched || (kept_ && kept_(v)) || (check_ && check_->Fixed(v)))
        return false;
    const bool rim = Ring(v, ring_);
    Neighbours(ring_, rim, neighbours_);
    fan_.clear();
    for (const std::uint32_t e : ring_) {
        const std::uint32_t x = mesh_.To(e), y = mesh_.From(GridMesh::Prev(e));
        fan_.push_back({x, y, At(x), At(y)});
    }
    candidates_.clear();
    if (rim) {
        // A rim vertex goes only where the rim runs straight on, and only along it.
        const std::uint32_t ahead = mesh_.To(ring_.front());
        const std::uint32_t behind = mesh_.From(GridMesh::Prev(ring_.back()));
        if (Turn(At(behind), At(v), At(ahead)) != 0)
            return false;
        candidates_ = {ahead, behind};
    } else {
        for (const std::uint32_t e : ring_)
            candidates_.push_back(mesh_.To(e));
    }
    // The quick tests first, as most moves fail them; those left are tried nearest in height
    // first, ties in the ring's order: an insertion sort, as std::sort's order of ties differs
    // from one standard library to the next (and so would the file).
    std::size_t left = 0;
    for (const std::uint32_t u : candidates_)
        if (!(Inside(u) && flags_[Local(u)] & kPinched) && Unfolded(v, u))
            candidates_[left++] = u;
    candidates_.resize(left);
    const float height = grid_.At(v);
    const auto apart = [&](std::uint32_t u) { return std::fabs(grid_.At(u) - height); };
    for (std::size_t k = 1; k < candidates_.size(); ++k) {
        const std::uint32_t u = candidates_[k];
        std::size_t at = k;
        for (; at > 0 && apart(candidates_[at - 1]) > apart(u); --at)
            candidates_[at] = candidates_[at - 1];
        candidates_[at] = u;
    }
    for (const std::uint32_t u : candidates_) {
        if (!CanMerge(u))
            continue;
        Merge(v, u);
        return true;
    }
    return false;
}

std::uint64_t Collapser::Run() {
    const auto enqueueRow = [&](std::uint32_t row) {
        for (std::uint32_t col = window_.col0; col <= window_.col1; ++col)
            if (out_[Local(grid_.Sample(row, col))] != kNoEdge)
                Enqueue(grid_.Sample(row, col));
    };
    for (const std::uint32_t row : rows_)
        enqueueRow(row);
    for (std::uint32_t row = window_.row0; rows_.empty() && row <= window_.row1; ++row)
        enqueueRow(row);
    std::uint64_t removed = 0;
    for (std::size_t next = 0; next < queue_.size(); ++next) {
        const std::uint32_t v = queue_[next];
        flags_[Local(v)] &= static_cast<std::uint8_t>(~kQueued);
        if (out_[Local(v)] != kNoEdge && TryRemove(v))
            ++removed;
        if (next > (1u << 20) && next * 2 > queue_.size()) {
            queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(next + 1));
            next = static_cast<std::size_t>(-1);
        }
    }
    return removed;
}

} // namespace

std::uint64_t CollapseEdges(const HeightGrid& grid, GridRect window, double limit,
                            CollapseTries tries, const KeptSample& kept, GridMesh& mesh,
                            const TriangleCheck* check) {
    return Collapser(grid, window, {}, limit, tries, kept, mesh, check).Run();
}

std::uint64_t CollapseRows(const HeightGrid& grid, const std::vector<std::uint32_t>& rows,
                           double limit, GridMesh& mesh, const TriangleCheck* check) {
    const GridRect all{0, 0, grid.cols - 1, grid.rows - 1};
    if (rows.empty())
        return 0;
    return Collapser(grid, all, rows, limit, CollapseTries::kOnce, nullptr, mesh, check).Run();
}
