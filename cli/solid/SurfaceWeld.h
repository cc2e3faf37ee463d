#pragma once
// How the points of the surface become the vertices of a triangle format. An open surface
// keeps every point, as the classic formats do. A closed round solid welds the seam (the
// repeated column 0 at the end of each row) and, on a sphere, each pole row to one vertex,
// so that no edge is left open.

#include <cstdint>

enum class WeldKind { kNone, kSeam, kSeamAndPoles };

class SurfaceWeld {
  public:
    // rows x perRow points (perRow counts the seam column of round meshes).
    SurfaceWeld(WeldKind kind, std::uint32_t rows, std::uint32_t perRow)
        : kind_(kind), rows_(rows), perRow_(perRow),
          kept_(kind == WeldKind::kNone ? perRow : perRow - 1) {}

    WeldKind Kind() const { return kind_; }
    std::uint64_t VertexCount() const {
        if (kind_ != WeldKind::kSeamAndPoles)
            return std::uint64_t{rows_} * kept_;
        return 2 + std::uint64_t{rows_ - 2} * kept_;
    }
    // The vertex the point (row, col) becomes.
    std::uint32_t Index(std::uint32_t row, std::uint32_t col) const {
        const std::uint32_t c = col == kept_ ? 0 : col;
        if (kind_ != WeldKind::kSeamAndPoles)
            return row * kept_ + c;
        if (row == 0)
            return 0;
        if (row == rows_ - 1)
            return 1 + (rows_ - 2) * kept_;
        return 1 + (row - 1) * kept_ + c;
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
        return kind_ == WeldKind::kSeamAndPoles && (row == 0 || row == rows_ - 1);
    }

    WeldKind kind_;
    std::uint32_t rows_, perRow_, kept_;
};
