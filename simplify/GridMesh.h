#pragma once
// A triangulation whose vertices are samples of a height grid, held as triangles of three
// corners with a twin for each of their edges. Corner k of triangle t is half-edge 3t + k,
// running from that corner to the next; its twin runs the other way in the neighbouring
// triangle, or is kNoEdge on the rim. Every triangle turns positively (Turn > 0).

#include <cstdint>
#include <vector>

#include "simplify/HeightGrid.h"

inline constexpr std::uint32_t kNoEdge = 0xFFFFFFFF;

class GridMesh {
  public:
    std::uint32_t Slots() const { return static_cast<std::uint32_t>(corner_.size() / 3); }
    std::uint32_t Living() const { return living_; }
    bool Alive(std::uint32_t t) const { return corner_[3 * t] != kNoEdge; }

    // The sample at the start of half-edge e, and its twin.
    std::uint32_t From(std::uint32_t e) const { return corner_[e]; }
    std::uint32_t To(std::uint32_t e) const { return corner_[Next(e)]; }
    std::uint32_t Twin(std::uint32_t e) const { return twin_[e]; }
    static std::uint32_t Next(std::uint32_t e) { return e % 3 == 2 ? e - 2 : e + 1; }
    static std::uint32_t Prev(std::uint32_t e) { return e % 3 == 0 ? e + 2 : e - 1; }

    // A new triangle a, b, c whose edges a-b, b-c, c-a have the given twins (kNoEdge for
    // none); the twins are linked back. Returns its index.
    std::uint32_t Add(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t ab,
                      std::uint32_t bc, std::uint32_t ca);
    // Triangle t made anew in the same way.
    void Set(std::uint32_t t, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t ab,
             std::uint32_t bc, std::uint32_t ca);
    void Kill(std::uint32_t t);
    // Moves the start of half-edge e (and so the end of the one before it) to sample.
    void SetFrom(std::uint32_t e, std::uint32_t sample) { corner_[e] = sample; }
    void Link(std::uint32_t e, std::uint32_t f) {
        twin_[e] = f;
        if (f != kNoEdge)
            twin_[f] = e;
    }

    // Room for this many triangles without moving.
    void Reserve(std::size_t triangles);
    // Appends other's triangles (their twins shifted); rims that meet are not joined.
    void Append(const GridMesh& other);
    // Joins rim half-edges that run between the same two samples in opposite directions.
    void JoinRims();
    // Drops the dead triangles, renumbering the rest; with cols (the grid's width), orders them
    // by the row of their first sample, so that neighbours lie close in memory.
    void Compact(std::uint32_t cols = 0);

  private:
    std::vector<std::uint32_t> corner_, twin_;
    std::uint32_t living_ = 0;
};
