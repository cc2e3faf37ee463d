#pragma once
// The triangle formats' files: binary or ASCII STL, OBJ, binary PLY and 3MF, written from a
// TriangleSource.

#include <cstdint>
#include <string>

#include "common/OutputFile.h"
#include "solids/TriangleSource.h"
#include "toolbase/CliFailure.h"
#include "toolbase/FreeSpace.h"

// The formats beyond the plug-in's six, as DiskFormat-like numbers the tool alone uses.
enum TriangleFormatId : std::int32_t { kStl = 7, kObj, kPly, kThreeMf };
inline bool IsTriangleFormat(std::int32_t id) {
    return id >= kStl && id <= kThreeMf;
}

// format: kStl, kObj, kPly or kThreeMf (TriangleFormatId); ascii: ASCII STL instead of binary
// (other formats ignore it). The file appears whole or not at all: a failed write leaves
// whatever path named as it was. Before anything is created: exit code 3 when the counts do
// not fit the format (binary STL: 2^32-1 triangles; PLY and 3MF: 32-bit indices; 3MF: at
// least one triangle), 4 when the most the file can take (TriangleFileSizeBound) is more than
// freeSpace says its file system has. Exit code 4 when the file cannot be created or written
// (with the operating system's reason in parentheses when there is one) or packing the 3MF
// file fails (with the zip library's text).
StepResult WriteTriangleFile(const std::string& path, std::int32_t format, bool ascii,
                             TriangleSource& source,
                             const FreeSpaceQuery& freeSpace = FileSystemFreeBytes);

// The same into file, which is created at path, closed, or discarded on failure; the
// message carries no reason of the operating system. No free space is weighed unless
// freeSpace is given.
StepResult WriteTriangleFileTo(OutputFile& file, const std::string& path, std::int32_t format,
                               bool ascii, TriangleSource& source,
                               const FreeSpaceQuery& freeSpace = {});

// The most bytes the file of format (and ascii) can take for source's counts, known before
// the first byte: exact for binary STL and PLY, bounded for the text formats by the widest
// numbers they write, and for 3MF by its model's text before packing. A pass over the
// vertices for 3MF, whose numbers' width follows their size.
std::uint64_t TriangleFileSizeBound(std::int32_t format, bool ascii, TriangleSource& source);
