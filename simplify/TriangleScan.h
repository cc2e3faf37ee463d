#pragma once
// How far a flat triangle over three samples strays from the samples it covers: every sample
// inside it or on its edges is compared with the triangle's plane at that point.

#include <cstdint>

#include "simplify/HeightGrid.h"

struct ScanResult {
    double error = 0;        // the largest |height - plane| over the covered samples
    std::uint32_t worst = 0; // a sample where it is reached (a corner when error is 0)
};

// The triangle a, b, c (samples of grid, Turn(a, b, c) > 0).
ScanResult ScanTriangle(const HeightGrid& grid, std::uint32_t a, std::uint32_t b, std::uint32_t c);

// Whether no covered sample strays more than limit (>= 0) from the plane; stops at the first
// row that does.
bool TriangleWithin(const HeightGrid& grid, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    double limit);
