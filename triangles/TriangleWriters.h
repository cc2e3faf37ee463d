#pragma once
// The writers behind WriteTriangleFile, one per format, each filling a sink from the source.
// The counts have been checked against the format's limits.

#include <optional>
#include <string>

#include "plugin/export/ByteSink.h"
#include "solids/TriangleSource.h"

// The longest text of a float written by WriteShortestFloat.
inline constexpr std::size_t kLongestFloatText = 16;

// The shortest text that reads back as the same float; returns its length.
std::size_t WriteShortestFloat(char* out, float value);

// The most bytes each writer writes for counts: exact for binary STL and PLY; for the text
// formats, every number as wide as WriteShortestFloat or an index can make it; for 3MF (a
// pass over source's vertices), its model's text before packing.
std::uint64_t StlSizeBound(bool ascii, const TriangleCounts& counts);
std::uint64_t ObjSizeBound(const TriangleCounts& counts);
std::uint64_t PlySizeBound(const TriangleCounts& counts);
std::uint64_t ThreeMfSizeBound(const TriangleCounts& counts);

void WriteBinaryStl(ByteSink& sink, TriangleSource& source, std::uint32_t triangles);
void WriteAsciiStl(ByteSink& sink, TriangleSource& source);
void WriteObj(ByteSink& sink, TriangleSource& source);
void WritePly(ByteSink& sink, TriangleSource& source, const TriangleCounts& counts);
// The zip library's error text when packing fails.
std::optional<std::string> WriteThreeMf(ByteSink& sink, TriangleSource& source,
                                        const TriangleCounts& counts);
