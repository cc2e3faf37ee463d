#pragma once
// The triangle formats' files: binary or ASCII STL, OBJ, binary PLY and 3MF, written from a
// TriangleSource.

#include <cstdint>
#include <string>

#include "cli/CliFailure.h"
#include "cli/solid/TriangleSource.h"
#include "common/OutputFile.h"

// format: kStl, kObj, kPly or kThreeMf (TriangleFormatId); ascii: ASCII STL instead of binary
// (other formats ignore it). The file appears whole or not at all: a failed write leaves
// whatever path named as it was. Exit code 3, before anything is created, when the counts do
// not fit the format (binary STL: 2^32-1 triangles; PLY and 3MF: 32-bit indices); 4 when the
// file cannot be created or written (with the operating system's reason in parentheses when
// there is one) or lib3mf fails (with its own text).
StepResult WriteTriangleFile(const std::string& path, std::int32_t format, bool ascii,
                             TriangleSource& source);

// The same into file, which is created at path, closed, or discarded on failure; the
// message carries no reason of the operating system.
StepResult WriteTriangleFileTo(OutputFile& file, const std::string& path, std::int32_t format,
                               bool ascii, TriangleSource& source);
