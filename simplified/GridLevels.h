#pragma once
// The sampled grid's levels row by row, as the full mesh samples them: the picture's 8-bit
// gray, or the 16-bit levels of a wider picture.

#include <cstdint>

#include "pictures/WideGray.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

// Calls visit(row, levels) for each row of s's grid (meshRows x meshCols), in order; levels
// are 8-bit when wide is null, else 16-bit (wide covering the picture).
template <class Visit>
void ForEachGridRow(const MeshSettings& s, const WideGray* wide, Visit visit) {
    const GridSize grid{s.meshRows, s.meshCols};
    if (wide != nullptr) {
        WideRowSampler sampler(LevelPicture<std::uint16_t>{wide->levels.data(), wide->width,
                                                           wide->height, wide->width},
                               grid);
        for (std::uint32_t r = 0; r < grid.rows; ++r)
            visit(r, sampler.Row(r));
    } else {
        GrayRowSampler sampler(GrayPicture(s), grid);
        for (std::uint32_t r = 0; r < grid.rows; ++r)
            visit(r, sampler.Row(r));
    }
}
