#include "triangles/TriangleFile.h"

#include <cstring>
#include <limits>
#include <memory>

#include "common/LibraryGaps.h"
#include "plugin/export/ExportServices.h"
#include "plugin/export/StdioOutputFile.h"
#include "toolbase/OutputBuffer.h"
#include "triangles/TriangleWriters.h"

namespace {

constexpr std::uint64_t kMost32 = std::numeric_limits<std::uint32_t>::max();

// Why the counts do not fit the format; empty when they do.
std::string LimitProblem(std::int32_t format, bool ascii, const TriangleCounts& counts) {
    if (format == kStl && !ascii && counts.triangles > kMost32)
        return "Too many triangles for a binary STL file (" + std::to_string(counts.triangles) +
               "; at most " + std::to_string(kMost32) + "); try --ascii.";
    if ((format == kPly || format == kThreeMf) &&
        (counts.vertices > kMost32 || counts.triangles > kMost32))
        return "Too many vertices or triangles for 32-bit indices (" +
               std::to_string(counts.vertices) + " vertices, " + std::to_string(counts.triangles) +
               " triangles).";
    // A 3MF mesh object needs at least one triangle (a picture of one row or column has none).
    if (format == kThreeMf && counts.triangles == 0)
        return "A 3MF file holds at least one triangle; this mesh has none.";
    return {};
}

} // namespace

std::uint64_t TriangleFileSizeBound(std::int32_t format, bool ascii, TriangleSource& source) {
    const TriangleCounts counts = source.Count();
    switch (format) {
    case kStl:
        return StlSizeBound(ascii, counts);
    case kObj:
        return ObjSizeBound(counts);
    case kPly:
        return PlySizeBound(counts);
    default:
        return ThreeMfSizeBound(counts);
    }
}

StepResult WriteTriangleFileTo(OutputFile& file, const std::string& path, std::int32_t format,
                               bool ascii, TriangleSource& source,
                               const FreeSpaceQuery& freeSpace) {
    const TriangleCounts counts = source.Count();
    if (const std::string problem = LimitProblem(format, ascii, counts); !problem.empty())
        return Fail(kExitFormat, path, problem);
    if (auto refusal =
            CheckFreeSpace(path, TriangleFileSizeBound(format, ascii, source), freeSpace))
        return refusal;
    if (!file.Create(path))
        return Fail(kExitOutput, path, kCannotCreateText);
    // Not cleared: a small file touches only the pages it fills.
    const auto buffer = UninitializedArray<std::uint8_t>(kCliOutputBufferSize);
    ByteSink sink(buffer.get(), kCliOutputBufferSize, file);
    std::optional<std::string> libraryProblem;
    switch (format) {
    case kStl:
        if (ascii)
            WriteAsciiStl(sink, source);
        else
            WriteBinaryStl(sink, source, static_cast<std::uint32_t>(counts.triangles));
        break;
    case kObj:
        WriteObj(sink, source);
        break;
    case kPly:
        WritePly(sink, source, counts);
        break;
    default:
        libraryProblem = WriteThreeMf(sink, source, counts);
        break;
    }
    sink.Flush();
    if (libraryProblem) {
        file.Discard();
        return Fail(kExitOutput, path, *libraryProblem);
    }
    if (sink.Failed() || !file.Close()) {
        file.Discard();
        return Fail(kExitOutput, path, kWriteFailedText);
    }
    return std::nullopt;
}

StepResult WriteTriangleFile(const std::string& path, std::int32_t format, bool ascii,
                             TriangleSource& source, const FreeSpaceQuery& freeSpace) {
    StdioOutputFile file;
    StepResult result = WriteTriangleFileTo(file, path, format, ascii, source, freeSpace);
    if (result && result->exitCode == kExitOutput && file.Error() != 0)
        result->message += std::string(" (") + std::strerror(file.Error()) + ")";
    return result;
}
