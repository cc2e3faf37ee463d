#pragma once
// The middle of a run, as the plug-in's continue does it: mesh memory, sampling, points,
// then the preview picture, the statistics and the export.

#include <array>
#include <iosfwd>
#include <string>

#include "cli/CliFailure.h"
#include "cli/preview/PreviewCommand.h"
#include "host/image/HostImage.h"
#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

// The mesh memory of one run, released however the run ends.
class CliMesh {
  public:
    CliMesh() = default;
    ~CliMesh() { ReleaseMeshBuffers(buffers, allocator); }
    CliMesh(const CliMesh&) = delete;
    CliMesh& operator=(const CliMesh&) = delete;

    MeshBuffers buffers{};
    HeapBlockAllocator allocator;
};

// Hands the gray picture to the settings, allocates the mesh memory, samples and makes the
// points. Exit code 2 when the picture is too large for a mesh.
StepResult MakeMesh(const HostImage& picture, const std::string& name, MeshSettings& settings,
                    CliMesh& mesh);

// The preview picture, drawn before the export changes the points; exit code 4 on failure.
StepResult WritePreview(const PreviewOptions& options, MeshSettings& settings, CliMesh& mesh);

// The statistics lines of the dialog for the mesh as it stands: polygon count and X/Y/Z range.
std::array<std::string, 4> MeshStatistics(MeshSettings settings, const CliMesh& mesh);

// Writes the mesh file with the plug-in's writers. Exit code 3 when the mesh does not fit
// the format, 4 when the file cannot be created or written.
StepResult ExportFile(const std::string& path, MeshSettings& settings, CliMesh& mesh,
                      std::ostream& progressStream, bool showProgress);
