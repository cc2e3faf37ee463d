#pragma once
// How the points of the surface become the vertices of a triangle format. An open surface
// keeps every point, as the classic formats do, but for a sphere's pole rows: their points
// all stand for the pole, so each becomes one vertex and no sliver is left at either pole.
// A closed round solid also welds the seam (the repeated column 0 at the end of each row),
// so that no edge is left open. A globe with an opening keeps only the rows above it: its
// last kept row is a rim, not a pole.

#include <cstdint>

struct WeldPlan {
    bool seam = false;      // the last column of each row is column 0 again
    bool firstPole = false; // the first row is one vertex
    bool lastPole = false;  // the last kept row is one vertex
};

class SurfaceWeld {
  public:
    // rows x perRow points (perRow counts the seam column of round meshes); rows: the kept
    // rows, at least 2 when a pole is welded.
    SurfaceWeld(WeldPlan plan, std::uint32_t rows, std::uint32_t perRow)
        : plan_(plan), rows_(rows), kept_(plan.seam ? perRow - 1 : perRow) {}

    const WeldPlan& Plan() const { return plan_; }
    std::uint32_t Rows() const { return rows_; }
    std::uint64_t VertexCount() const {
        const std::uint32_t poles = (plan_.firstPole ? 1 : 0) + (plan_.lastPole ? 1 : 0);
        return poles + std::uint64_t{rows_ - poles} * kept_;
    }
    // The vertex the point (row, col) becomes.
    std::uint32_t Index(std::uint32_t row, std::uint32_t col) const {
        return RowStart(row) + Representative(row, col);
    }
    // The column whose point stands for (row, col) as a vertex.
    std::uint32_t Representative(std::uint32_t row, std::uint32_t col) const {
        if (IsPole(row))
            return 0;
        return col == kept_ ? 0 : col;
    }
    // The points of row that are vertices: columns 0 .. ColumnsKept(row) - 1.
    std::uint32_t ColumnsKept(std::uint32_t row) const { return IsPole(row) ? 1 : kept_; }

  private:
    bool IsPole(std::uint32_t row) const {
        return (plan_.firstPole && row == 0) || (plan_.lastPole && row == rows_ - 1);
    }
    std::uint32_t RowStart(std::uint32_t row) const {
        if (!plan_.firstPole || row == 0)
            return row * kept_;
        return 1 + (row - 1) * kept_;
    }

    WeldPlan plan_;
    std::uint32_t rows_, kept_;
};
