#pragma once
// The mesh file, written by the plug-in's writers to the path the user gave.

#include <iosfwd>
#include <string>

#include "cli/CliFailure.h"
#include "plugin/mesh/PictureMesh.h"

// The file appears whole or not at all: a failed write leaves whatever path named as it
// was (see StdioOutputFile). Exit code 3 when the mesh does not fit the format, 4 when the
// file cannot be created or written; the message ends with the operating system's reason
// in parentheses when there is one.
StepResult ExportFile(const std::string& path, PictureMesh& mesh, std::ostream& progressStream,
                      bool showProgress);
