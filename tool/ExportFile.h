#pragma once
// The mesh file, written by the plug-in's writers to the path the user gave.

#include <iosfwd>
#include <string>

#include "common/ProgressSink.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"
#include "toolbase/CliFailure.h"
#include "toolbase/FreeSpace.h"

// The file appears whole or not at all: a failed write leaves whatever path named as it
// was (see StdioOutputFile). Exit code 3 when the mesh does not fit the format, 4 when the
// file cannot be created or written, or when the most it can take (MeshFileSizeBound) is
// more than freeSpace says its file system has; the message ends with the operating
// system's reason in parentheses when there is one.
// settings: with meshRows and meshCols of the source's mesh. With 2 threads or more the
// text of a 3D Face DXF is put together by two threads; the file is the same. The writing's
// progress goes to progress when it is not null, else to a bar on progressStream when
// showProgress.
StepResult ExportFile(const std::string& path, const MeshSettings& settings, MeshSource& source,
                      std::ostream& progressStream, bool showProgress, ProgressSink* progress,
                      int threads, const FreeSpaceQuery& freeSpace = FileSystemFreeBytes);
