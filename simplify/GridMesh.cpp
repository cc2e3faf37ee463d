#include "simplify/GridMesh.h"

#include <algorithm>

std::uint32_t GridMesh::Add(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t ab,
                            std::uint32_t bc, std::uint32_t ca) {
    const std::uint32_t t = Slots();
    corner_.insert(corner_.end(), {kNoEdge, kNoEdge, kNoEdge});
    twin_.insert(twin_.end(), {kNoEdge, kNoEdge, kNoEdge});
    Set(t, a, b, c, ab, bc, ca);
    return t;
}

void GridMesh::Set(std::uint32_t t, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                   std::uint32_t ab, std::uint32_t bc, std::uint32_t ca) {
    if (!Alive(t))
        ++living_;
    const std::uint32_t e = 3 * t;
    corner_[e] = a;
    corner_[e + 1] = b;
    corner_[e + 2] = c;
    Link(e, ab);
    Link(e + 1, bc);
    Link(e + 2, ca);
}

void GridMesh::Kill(std::uint32_t t) {
    if (!Alive(t))
        return;
    --living_;
    for (std::uint32_t e = 3 * t; e < 3 * t + 3; ++e) {
        corner_[e] = kNoEdge;
        twin_[e] = kNoEdge;
    }
}

void GridMesh::Reserve(std::size_t triangles) {
    corner_.reserve(3 * triangles);
    twin_.reserve(3 * triangles);
}

void GridMesh::Append(const GridMesh& other) {
    const auto shift = static_cast<std::uint32_t>(corner_.size());
    corner_.insert(corner_.end(), other.corner_.begin(), other.corner_.end());
    for (const std::uint32_t e : other.twin_)
        twin_.push_back(e == kNoEdge ? kNoEdge : e + shift);
    living_ += other.living_;
}

void GridMesh::JoinRims() {
    struct RimEdge {
        std::uint32_t low, high, edge;
    };
    std::vector<RimEdge> rims;
    for (std::uint32_t e = 0; e < corner_.size(); ++e) {
        if (corner_[e] == kNoEdge || twin_[e] != kNoEdge)
            continue;
        const std::uint32_t from = From(e), to = To(e);
        rims.push_back({std::min(from, to), std::max(from, to), e});
    }
    std::sort(rims.begin(), rims.end(), [](const RimEdge& l, const RimEdge& r) {
        return l.low != r.low ? l.low < r.low : l.high < r.high;
    });
    for (std::size_t i = 0; i + 1 < rims.size(); ++i) {
        if (rims[i].low == rims[i + 1].low && rims[i].high == rims[i + 1].high) {
            Link(rims[i].edge, rims[i + 1].edge);
            ++i;
        }
    }
}

void GridMesh::Compact(std::uint32_t cols) {
    // Where each living triangle goes: counted out by row when asked, else in order.
    std::vector<std::uint32_t> moved(Slots(), kNoEdge);
    const auto rowOf = [&](std::uint32_t t) {
        return std::min({corner_[3 * t], corner_[3 * t + 1], corner_[3 * t + 2]}) / cols;
    };
    std::vector<std::uint32_t> start;
    for (std::uint32_t t = 0; cols != 0 && t < Slots(); ++t) {
        if (!Alive(t))
            continue;
        const std::uint32_t row = rowOf(t);
        if (row + 1 >= start.size())
            start.resize(row + 2, 0);
        ++start[row + 1];
    }
    for (std::size_t row = 1; row < start.size(); ++row)
        start[row] += start[row - 1];
    std::uint32_t kept = 0;
    for (std::uint32_t t = 0; t < Slots(); ++t)
        if (Alive(t))
            moved[t] = cols != 0 ? start[rowOf(t)]++ : kept++;
    kept = living_;
    std::vector<std::uint32_t> corner(3 * std::size_t{kept}), twin(3 * std::size_t{kept});
    for (std::uint32_t t = 0; t < Slots(); ++t) {
        if (moved[t] == kNoEdge)
            continue;
        for (std::uint32_t k = 0; k < 3; ++k) {
            const std::uint32_t e = twin_[3 * t + k];
            corner[3 * moved[t] + k] = corner_[3 * t + k];
            twin[3 * moved[t] + k] = e == kNoEdge ? kNoEdge : 3 * moved[e / 3] + e % 3;
        }
    }
    corner_ = std::move(corner);
    twin_ = std::move(twin);
}
