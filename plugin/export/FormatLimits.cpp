#include "plugin/export/FormatLimits.h"

#include <algorithm>
#include <limits>

#include "plugin/mesh/BuildPolygonList.h"
#include "plugin/run/SettingsRules.h"

namespace {

// The same numbers the writers refuse by.
constexpr std::uint64_t kLargestDxfInteger = 32767;
constexpr std::uint64_t kLargest16 = 65535;
constexpr std::uint64_t kLargestCobObject = std::numeric_limits<std::uint32_t>::max();

// COB object data: fixed part, per point, per face, per corner.
std::uint64_t CobObjectSize(std::uint64_t points, std::uint64_t faces, std::uint64_t corners) {
    return 116 + 20 * points + 5 * faces + 8 * corners;
}

struct Shape {
    std::uint32_t rows, pointsPerRow;
    std::uint64_t Points() const { return std::uint64_t{rows} * pointsPerRow; }
    std::uint64_t Cells() const {
        return rows > 0 && pointsPerRow > 0 ? std::uint64_t{rows - 1} * (pointsPerRow - 1) : 0;
    }
};

FormatFit Verdict(bool fits, FormatLimitKind kind, std::uint64_t count, std::uint64_t largest,
                  Shape shape) {
    return {fits ? FormatVerdict::kFits : FormatVerdict::kTooLarge,
            kind,
            count,
            largest,
            shape.rows,
            shape.pointsPerRow};
}

// Limits that the shape decides alone; kDependsOnPicture is left to the caller.
FormatFit FitShape(std::int32_t diskFormat, Shape shape) {
    const std::uint64_t points = shape.Points();
    switch (diskFormat) {
    case kNxmDxf: {
        const std::uint64_t side = std::max(shape.rows, shape.pointsPerRow);
        return Verdict(side <= kLargestDxfInteger, FormatLimitKind::kGridSide, side,
                       kLargestDxfInteger, shape);
    }
    case kPolylineDxf:
        return Verdict(points <= kLargestDxfInteger, FormatLimitKind::kPoints, points,
                       kLargestDxfInteger, shape);
    case kLwo:
        return Verdict(points <= kLargest16, FormatLimitKind::kPoints, points, kLargest16, shape);
    case kTds:
        if (points > kLargest16)
            return Verdict(false, FormatLimitKind::kPoints, points, kLargest16, shape);
        // Every cell gives at most two triangles.
        return Verdict(2 * shape.Cells() <= kLargest16, FormatLimitKind::kTriangles,
                       2 * shape.Cells(), kLargest16, shape);
    case kCob: {
        // At most one quad per cell.
        const std::uint64_t most = CobObjectSize(points, shape.Cells(), 4 * shape.Cells());
        return Verdict(most <= kLargestCobObject, FormatLimitKind::kObjectBytes, most,
                       kLargestCobObject, shape);
    }
    default:
        return Verdict(true, FormatLimitKind::kNone, 0, 0, shape);
    }
}

Shape ShapeOf(std::int32_t meshType, GridSize grid) {
    return {grid.rows, meshType == kRectangular ? grid.cols : grid.cols + 1u};
}

} // namespace

FormatFit FitGrid(std::int32_t diskFormat, std::int32_t meshType, GridSize grid) {
    FormatFit fit = FitShape(diskFormat, ShapeOf(meshType, grid));
    // Face limits count the most the cells can give; fewer may be made, down to none.
    const bool noFacesFit =
        fit.kind == FormatLimitKind::kTriangles ||
        (fit.kind == FormatLimitKind::kObjectBytes &&
         CobObjectSize(fit.rows * std::uint64_t{fit.pointsPerRow}, 0, 0) <= kLargestCobObject);
    if (fit.verdict == FormatVerdict::kTooLarge && noFacesFit)
        fit.verdict = FormatVerdict::kDependsOnPicture;
    return fit;
}

FormatFit FitMesh(const MeshSettings& settings, MeshSource& source) {
    const Shape shape{settings.meshRows, PointsPerRow(settings)};
    FormatFit fit = FitShape(settings.DiskFormat, shape);
    if (fit.verdict == FormatVerdict::kFits)
        return fit;
    const bool facesDecide =
        fit.kind == FormatLimitKind::kTriangles || fit.kind == FormatLimitKind::kObjectBytes;
    if (!facesDecide)
        return fit;
    const PolygonTally tally = source.Tally();
    if (fit.kind == FormatLimitKind::kTriangles)
        return Verdict(tally.triangles <= kLargest16, fit.kind, tally.triangles, kLargest16, shape);
    const std::uint64_t size = CobObjectSize(shape.Points(), tally.faces, tally.cornerCount);
    return Verdict(size <= kLargestCobObject, fit.kind, size, kLargestCobObject, shape);
}

std::int32_t LargestFittingMeshRes(std::int32_t diskFormat, std::int32_t meshType,
                                   std::uint16_t imageRows, std::uint16_t imageCols,
                                   std::int32_t fromMeshRes) {
    // A higher MeshRes is a lower resolution.
    for (std::int32_t res = std::max(fromMeshRes, kMeshResRule.low); res <= kMeshResRule.high;
         ++res) {
        const GridSize grid = SampledGridSize(imageRows, imageCols, res);
        if (FitGrid(diskFormat, meshType, grid).verdict == FormatVerdict::kFits)
            return res;
    }
    return 0;
}
