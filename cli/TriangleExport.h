#pragma once
// The triangle formats' export: the mesh of the picture as an open surface or, with --solid,
// a closed solid, sized and placed as the options say, streamed to an STL, OBJ, PLY or 3MF
// file.

#include <iosfwd>

#include "cli/CliFailure.h"
#include "cli/CliOptions.h"
#include "cli/FreeSpace.h"
#include "cli/WrittenStatistics.h"
#include "cli/pictures/WideGray.h"
#include "plugin/run/MeshSettings.h"

// The triangle format options ask for (--format, else the output's extension), if any.
std::optional<std::int32_t> TriangleFormatOf(const CliOptions& options);

// settings: the run's, with the gray picture (imagePixels and its size); wide: its levels at
// 16 bits when it has more than 8, else null. Exit code 1 when --solid meets black holes, 3
// when the grid is too small for a solid or a tube's wall would reach its axis, 4 when the
// file cannot be written or cannot fit the free space freeSpace gives.
StepResult WriteTriangleMesh(const CliOptions& options, const MeshSettings& settings,
                             const WideGray* wide, StatisticsLines& statistics,
                             std::ostream& progressStream, bool showProgress,
                             const FreeSpaceQuery& freeSpace = FileSystemFreeBytes);
