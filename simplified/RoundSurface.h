#pragma once
// A tube's or a globe's surface as the simplifier takes it, with the test in space that its
// heights alone do not make (TriangleCheck).
//
// The grid the simplifier gets is the picture's turned: its rows are the picture's columns
// (the seam's repeat of column 0 last), its columns the picture's rows firstRow..lastRow. Its
// strips are then runs of columns, and the sides they share are meridians, which the ray of
// every sample on them meets exactly. The seam's two columns are Fixed: they keep the same
// rows, so that the surface closes on itself.
//
// The error of a sample is radial: along the ray from the axis (a tube, at the sample's
// height) or from the middle (a globe) through the sample's point of the full mesh, the
// distance from that point to where the ray crosses the written surface. A flat triangle is
// allowed to span a quarter turn at most and must face away from the axis or middle at every
// corner, so that every ray crosses the surface once. Differences below a millionth of the
// radius, which single-precision points cannot tell, count as none.
//
// Black holes are cut as the full mesh cuts them: Grid() carries them (a cell with one black
// corner keeps the triangle of the other three), and a pole's fan triangle goes where its row
// has a black sample or both of its pole's samples are black. The samples next to a hole are
// Fixed, so that the holes' outlines keep every vertex and every ray of the full mesh's
// points still meets the surface; samples no triangle or fan of the full mesh holds are not
// measured.

#include <cstdint>
#include <vector>

#include "simplify/HeightGrid.h"
#include "simplify/SimplifyGrid.h"
#include "simplify/TriangleCheck.h"
#include "solids/TriangleSource.h"

struct RoundDomain {
    std::int32_t meshType = 0;  // kCylindrical or kSpherical
    std::uint32_t meshRows = 0; // the sampled grid's rows (a globe's latitudes span them)
    std::uint32_t columns = 0;  // points a row, without the seam's
    std::uint32_t firstRow = 0; // the picture's rows simplified, firstRow..lastRow
    std::uint32_t lastRow = 0;  //
    bool seamWelded = false;    // the seam's points are column 0's (a solid)
    bool northPole = false;     // a pole vertex above firstRow, fanned to its vertices
    bool southPole = false;     // a pole vertex below lastRow, fanned to its vertices
    std::uint32_t Rows() const { return lastRow - firstRow + 1; }
    std::uint32_t PerRow() const { return columns + 1; }
};

class RoundSurface final : public TriangleCheck {
  public:
    // levels, points: the domain's samples, picture row after picture row, PerRow() each
    // (the seam's level is column 0's; its point its own, or column 0's when welded). north,
    // south: the poles' points where the domain has poles. levelHeight: the file's units a
    // level stands for (radially). holes: empty, or a byte for each sample of the picture's
    // rows from 0 to the south pole's or lastRow, PerRow() each (the seam's as column 0's),
    // not 0 at a black hole.
    RoundSurface(const RoundDomain& domain, const std::vector<float>& levels,
                 std::vector<Vertex> points, Vertex north, Vertex south, double levelHeight,
                 const std::vector<std::uint8_t>& holes);

    const RoundDomain& Domain() const { return domain_; }
    // The turned grid of levels; it lives as long as this surface.
    HeightGrid Grid() const;
    // A sample of Grid(): its picture row and column, and its point.
    std::uint32_t Row(std::uint32_t sample) const { return domain_.firstRow + sample % rows_; }
    std::uint32_t Column(std::uint32_t sample) const { return sample / rows_; }
    const Vertex& Point(std::uint32_t sample) const;
    const Vertex& North() const { return north_; }
    const Vertex& South() const { return south_; }

    ScanResult Worst(std::uint32_t a, std::uint32_t b, std::uint32_t c) const override;
    bool Within(std::uint32_t a, std::uint32_t b, std::uint32_t c, double limit) const override;
    bool SideWithin(std::uint32_t from, std::uint32_t to, double limit) const override;
    bool Fixed(std::uint32_t sample) const override;
    // The poles' fan triangles, their corners added as AddFanCorners adds them.
    std::uint64_t AddedTriangles(const std::vector<std::uint32_t>& vertices) const override;

    // A pole's fan triangle from the pole to samples left and right (columns ascending) of
    // the first or last row.
    struct FanSide {
        bool north;
        std::uint32_t left, right;
    };
    // The fans between neighbouring vertices (samples, ascending) of the first and last rows
    // where the full mesh has fans: the north's, then the south's, in the order of columns.
    std::vector<FanSide> Fans(const std::vector<std::uint32_t>& vertices) const;
    // Adds to mesh (over Grid()) the samples that only the poles' fans hold: those of a single
    // row between the poles, and those next to holes that no triangle of the grid holds.
    void AddFanCorners(SimplifiedMesh& mesh) const;

    // The largest radial error, in the file's units, of any sample: under mesh's triangles
    // (over Grid()) and its Fans.
    double MeasureError(const SimplifiedMesh& mesh, int threads) const;

  private:
    // A flat triangle in space, its corners wound to face outward.
    struct Facet;
    // A triangle of Grid() as the picture has it, and the samples inside it or on its edges.
    struct Footprint;

    // The facet of Grid()'s triangle a, b, c (Turn > 0), or of a pole's fan triangle.
    Facet Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    Facet Fan(bool north, std::uint32_t left, std::uint32_t right) const;
    // Whether the facet may stay whatever its samples: a quarter turn wide at most, facing
    // away at every corner.
    bool Allowed(const Facet& facet) const;
    Footprint FootprintOf(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    // The largest error (in levels) of the samples whose rays cross the facet, but its
    // corners, and where; stops above stop.
    ScanResult Crossed(const Facet& facet, double stop) const;
    // The fans of the poles on the edges of Grid()'s triangle that run along the first or
    // last row, where the full mesh has them.
    std::vector<Facet> FansOf(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    // The sample of Grid()'s triangle a, b, c nearest the picture's (col, row) that it may be
    // split at, with error: neither a corner nor Fixed, and on an edge along a meridian only
    // when there is no other ({0, a} when there is none).
    ScanResult Nearest(std::uint32_t a, std::uint32_t b, std::uint32_t c, double col, double row,
                       double error) const;
    // The error (in levels) of sample s along its ray, crossing the facet's plane at t from
    // the ray's origin.
    double ErrorAt(std::uint32_t s, double t) const;
    // Whether the full mesh has every fan of a pole between columns left and right.
    bool FanKept(bool north, std::uint32_t left, std::uint32_t right) const;
    // Fills marks_ and dropped_ from the holes (MakeSurface's).
    void MarkHoles(const std::vector<std::uint8_t>& holes);

    RoundDomain domain_;
    std::uint32_t rows_, perRow_, widest_;
    std::vector<float> turned_; // the levels of Grid()
    // With holes: Grid()'s hole mask, each sample's marks (kOnGrid, kOnFan, kNearHole), and
    // for each pole the count of its fans dropped before each column.
    std::vector<std::uint8_t> turnedHoles_, marks_;
    std::vector<std::uint32_t> dropped_[2];
    std::vector<Vertex> points_;
    Vertex north_, south_;
    double levelHeight_;
};
