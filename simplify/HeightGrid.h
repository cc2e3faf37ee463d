#pragma once
// A sampled height field as the simplifier reads it, and the arithmetic of its points.

#include <cstddef>
#include <cstdint>

// rows x cols heights, row after row (row 0 first, cols heights each). Every vertex the
// simplifier makes is one of these samples, numbered row * cols + col. Heights that are whole
// numbers below 2^24 (8- and 16-bit levels) are compared exactly; others as closely as doubles
// allow. holes: null, or one byte per sample, not 0 where the sample is a hole (a black pixel
// with black holes): then the surface is the one the full grid's cells make, each cell split
// top-left to bottom-right, a cell with one hole corner kept as the triangle of the other
// three and a cell with more dropped.
struct HeightGrid {
    HeightGrid() = default;
    HeightGrid(const float* levels, std::uint32_t rowCount, std::uint32_t colCount,
               const std::uint8_t* holeMask)
        : heights(levels), rows(rowCount), cols(colCount), holes(holeMask),
          perCol_(colCount > 1 ? ~std::uint64_t{0} / colCount + 1 : 0) {}

    const float* heights = nullptr;
    std::uint32_t rows = 0, cols = 0;
    const std::uint8_t* holes = nullptr;

    std::size_t Samples() const { return std::size_t{rows} * cols; }
    float At(std::uint32_t sample) const { return heights[sample]; }
    std::uint32_t Col(std::uint32_t sample) const { return sample - Row(sample) * cols; }
    std::uint32_t Row(std::uint32_t sample) const {
        // sample / cols by a multiplication, which the simplifier's inner loops feel: with
        // perCol_ = 2^64 / cols rounded up, the product's error stays below 2^-32 < 1 / cols.
        __extension__ using Wide = unsigned __int128;
        return cols > 1 ? static_cast<std::uint32_t>((Wide{sample} * perCol_) >> 64) : sample;
    }
    std::uint32_t Sample(std::uint32_t row, std::uint32_t col) const { return row * cols + col; }
    bool IsHole(std::uint32_t sample) const { return holes != nullptr && holes[sample] != 0; }
    bool AnyHole() const {
        for (std::size_t s = 0; holes != nullptr && s < Samples(); ++s)
            if (holes[s] != 0)
                return true;
        return false;
    }

  private:
    std::uint64_t perCol_ = 0;
};

// A sample's place on the grid: x is the column, y the row (rows run downwards).
struct GridPoint {
    std::int64_t x, y;
};

inline GridPoint PointOf(const HeightGrid& grid, std::uint32_t sample) {
    return {grid.Col(sample), grid.Row(sample)};
}

// Twice the signed area of the triangle a, b, c: positive when it turns from the columns
// towards the rows (clockwise as the picture is seen, counter-clockwise as the model is, with
// its rows running down y).
inline std::int64_t Turn(GridPoint a, GridPoint b, GridPoint c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}
