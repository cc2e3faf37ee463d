#pragma once
// The middle of a run, as the plug-in's continue does it: the mesh made from the gray
// picture, then what is made of the mesh, in the plug-in's order.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "common/ProgressSink.h"
#include "host/image/HostImage.h"
#include "pictures/WideGray.h"
#include "plugin/mesh/PictureMesh.h"
#include "tool/CliOptions.h"
#include "tool/WrittenStatistics.h"
#include "toolbase/CliFailure.h"
#include "toolbase/FreeSpace.h"

// Whether the run writes its mesh file straight from the picture, a few rows at a time. It
// does unless the plug-in's preview is drawn, which needs the whole mesh in memory; a
// triangle file's preview is drawn from the triangles as they pass.
inline bool StreamsTheMesh(const CliOptions& options) {
    return options.preview.path.empty() || TriangleFormatOf(options).has_value();
}

// The widest picture a mesh is made of: the plug-in takes rows of at most 65535 bytes, and
// the picture's rows are padded to four bytes.
inline constexpr std::uint32_t kWidestPicture = 65532;

// Memory the operating system can give this process now: MemAvailable of /proc/meminfo,
// else the physical memory; the largest value when neither can be learnt.
std::uint64_t MachineMemoryBytes();

// The bytes a run of a rows x cols picture takes beyond the picture itself: a few rows of the
// mesh and the output buffer when it streams (with a triangle file's preview, its picture and
// depth buffer; a 3MF file's model text, which is packed whole); else the mesh memory, the
// preview's surface, its picture file and the shaded pass's draw order.
std::uint64_t RunMemoryBytes(const CliOptions& options, std::uint16_t rows, std::uint16_t cols);

// What is checked before any mesh memory is taken: exit code 2 naming the need when the run
// needs more than availableBytes (or, streaming, has more points than a polygon can number); exit
// code 3 when a mesh file is asked for and its format cannot hold the grid of settings' resolution
// whatever the picture (naming the limit, the count and the largest resolution that fits).
// settings: as BuildSettings left them.
StepResult CheckMeshNeeds(const CliOptions& options, std::uint16_t rows, std::uint16_t cols,
                          const MeshSettings& settings, const std::string& name,
                          std::uint64_t availableBytes);

// Makes the mesh of the gray picture with mesh's settings, after CheckMeshNeeds against
// MachineMemoryBytes(); a run that streams only hands the picture to the settings. Exit code
// 2 when the picture is too large for a mesh (wider than kWidestPicture) or for the machine,
// 3 when it is too large for the format.
StepResult MakeMesh(const CliOptions& options, const HostImage& picture, const std::string& name,
                    PictureMesh& mesh);

// What the tool makes of the mesh, in the order the plug-in follows: the preview picture
// (drawn on the points as made, and as the file will be: an NxM DXF has no holes, which is
// said on progressStream when BlackHoles asks for them), the mesh file (whose writer turns
// Rectangular heights over in place; made row by row from the picture when the run streams),
// then, unless options.quiet, the statistics of what was written. A mesh too large for the
// format is refused (exit code 3) with its limit, its count and the largest resolution that
// fits; exit code 4 as the export reports it.
// A triangle format (STL, OBJ, PLY, 3MF) is written by WriteTriangleMesh, from wide when the
// picture has more than 8 bits (else null). Every file is weighed against freeSpace first.
// The mesh file's writing reports to progress when it is not null, else to a bar on
// progressStream when showProgress.
StepResult UseMesh(const CliOptions& options, PictureMesh& mesh, const WideGray* wide,
                   StatisticsLines& statistics, std::ostream& progressStream, bool showProgress,
                   ProgressSink* progress, const FreeSpaceQuery& freeSpace);
