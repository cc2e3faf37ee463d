#include "plugin/mesh/MakePoints.h"

#include <cstddef>

#include "plugin/mesh/ComputeBounds.h"
#include "plugin/mesh/PointRows.h"

void MakePoints(MeshSettings& settings, MeshBuffers& buffers) {
    if (settings.meshRows != 0 && settings.meshCols != 0) {
        const PointRowMaker maker(settings, false);
        const std::uint32_t perRow = PointsPerRow(settings);
        for (std::uint32_t r = 0; r < settings.meshRows; ++r) {
            const std::size_t base = std::size_t{r} * perRow;
            maker.Make(r, buffers.grayGrid + std::size_t{r} * settings.meshCols,
                       {buffers.pointX + base, buffers.pointY + base, buffers.pointZ + base,
                        buffers.solidFlags + base});
        }
    }
    ComputeBounds(settings, buffers);
}
