#pragma once
// The middle of a run, as the plug-in's continue does it: the mesh made from the gray
// picture, then what is made of the mesh, in the plug-in's order.

#include <array>
#include <iosfwd>
#include <string>

#include "cli/CliFailure.h"
#include "cli/CliOptions.h"
#include "host/image/HostImage.h"
#include "plugin/mesh/PictureMesh.h"

// The statistics lines of the dialog: polygon count and X/Y/Z range.
using StatisticsLines = std::array<std::string, 4>;

// Makes the mesh of the gray picture with mesh's settings. Exit code 2 when the picture is
// too large for a mesh.
StepResult MakeMesh(const HostImage& picture, const std::string& name, PictureMesh& mesh);

// What the tool makes of the mesh, in the order the plug-in follows: the preview picture
// (drawn on the points as made), the statistics of the mesh as it stands, then the mesh
// file (whose writer turns Rectangular heights over in place). Exit codes 3 and 4 as the
// steps report them; statistics are filled before the export is tried.
StepResult UseMesh(const CliOptions& options, PictureMesh& mesh, StatisticsLines& statistics,
                   std::ostream& progressStream, bool showProgress);
