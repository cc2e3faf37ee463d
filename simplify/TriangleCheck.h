#pragma once
// A test a triangle must pass beyond its height error, for surfaces the grid's heights do not
// tell whole: a tube's or a globe's flat facets stray from the round shape by their size and
// slope, which only a test in space measures. The simplifier asks it (SimplifyGoal::check)
// with the same limit as the height error, in the same units, and nothing of it when it is
// null.
//
// note: SideWithin must judge exactly a side that two strips share (the grid's rows), so that
// neither strip ever has to split it: a sample there is then never a triangle's worst.

#include <cstdint>
#include <vector>

#include "simplify/TriangleScan.h"

class TriangleCheck {
  public:
    virtual ~TriangleCheck() = default;

    // How far the triangle a, b, c (samples, Turn > 0) strays, at worst, and a sample to split
    // it at: one it covers that is neither a corner nor Fixed, or, when it covers none, the
    // straying sample where it lies outside it (made a vertex, it changes what strays; when it
    // is one already, the triangles around this one must change). An error beyond every limit
    // marks a triangle that may not stay whatever its samples (too wide, or facing away); an
    // error of 0 one that cannot be split.
    virtual ScanResult Worst(std::uint32_t a, std::uint32_t b, std::uint32_t c) const = 0;
    // Whether the triangle strays nowhere beyond limit (it may stop at the first sample that
    // does).
    virtual bool Within(std::uint32_t a, std::uint32_t b, std::uint32_t c, double limit) const = 0;
    // Whether the straight side from sample `from` to sample `to` (further on the same row or
    // column) is within limit at every sample between.
    virtual bool SideWithin(std::uint32_t from, std::uint32_t to, double limit) const = 0;
    // Whether sample lies on a line whose vertices the sides decide once (a seam that closes
    // the surface on itself): such a vertex is never collapsed, and never named by Worst.
    virtual bool Fixed(std::uint32_t sample) const = 0;
    // How many triangles beyond the grid's the surface over these vertices (samples, ascending)
    // has: a budget counts them too.
    virtual std::uint64_t AddedTriangles(const std::vector<std::uint32_t>&) const { return 0; }
};
