#pragma once
// The triangle formats' export: the mesh of the picture as an open surface or, with --solid,
// a closed solid, sized, turned and placed as the options say, streamed to an STL, OBJ, PLY
// or 3MF file, and the preview of what the file holds.

#include <iosfwd>

#include "common/ProgressSink.h"
#include "pictures/WideGray.h"
#include "plugin/run/MeshSettings.h"
#include "tool/CliOptions.h"
#include "tool/WrittenStatistics.h"
#include "toolbase/CliFailure.h"
#include "toolbase/FreeSpace.h"

// The axis that is up in a file of format: Y for an open OBJ surface, as modelling programs
// and renderers read OBJ; Z for solids, whatever their format, and for STL, PLY and 3MF.
UpAxis FileUpAxis(std::int32_t format, bool solid);

// settings: the run's, with the gray picture (imagePixels and its size); wide: its levels at
// 16 bits when it has more than 8, else null. Writes options.output unless it is empty, then
// the preview picture of the same triangles when one is asked for, with warnings on
// progressStream for options the mesh type does not use. statistics: the triangles and
// vertices of the file and the ranges of its coordinates (its size, when written).
// Exit code 1 when --solid meets black holes or --opening meets a mesh it cannot open; 2 when
// the grid is too small for any triangle or every cell is a hole; 5 when the solid cannot be
// closed (its wall would reach the axis or middle, be cut by the facets or be too thin for
// single precision; its opening is as wide as its inside); 3 when the counts do not fit the format;
// 4 when an output cannot be written or cannot fit the free space freeSpace gives.
// The file's writing reports to progress when it is not null, else to a bar on progressStream
// when showProgress; a preview alone reports nothing.
StepResult WriteTriangleMesh(const CliOptions& options, const MeshSettings& settings,
                             const WideGray* wide, StatisticsLines& statistics,
                             std::ostream& progressStream, bool showProgress,
                             ProgressSink* progress = nullptr,
                             const FreeSpaceQuery& freeSpace = FileSystemFreeBytes);
