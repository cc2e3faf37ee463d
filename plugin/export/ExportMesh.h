#pragma once
// Writes the current mesh in the format DiskFormat selects.

#include <cstdint>
#include <span>

#include "plugin/export/ByteSink.h"
#include "plugin/export/ExportServices.h"
#include "plugin/export/MeshSource.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

// Runs one export with the writer for settings.DiskFormat (1 to 6, as CheckSettings leaves
// it): refuses a mesh the format cannot hold before asking for a file, then chooses the
// file, builds the polygon list (turning Rectangular heights over, the last use of the
// points), writes, patches and closes. Every outcome but Written and Cancelled has been
// shown to the user through services.messages; a file whose writing failed is removed.
ExportOutcome ExportMesh(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services);

// The same for any source of the mesh, through a sink set up by sinkSetup (buffers of more
// than ByteSink::kLargestRecord bytes). settings: with meshRows and meshCols of the source's mesh.
ExportOutcome ExportMesh(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                         const SinkSetup& sinkSetup);

// The most bytes the file ExportMesh writes for settings (DiskFormat 1 to 6, with meshRows
// and meshCols of the mesh) can take, whatever the picture: known before the first byte, so
// that a file that cannot fit its disk is refused before it is begun.
std::uint64_t MeshFileSizeBound(const MeshSettings& settings);
