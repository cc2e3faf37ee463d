#pragma once
// The triangle formats read back from the bytes of a file, by readers of their own (and
// lib3mf's for 3MF) that share nothing with the writers: what a slicer would take in.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "solids/TriangleSource.h"

struct ReadBackMesh {
    std::vector<Vertex> vertices;    // STL: the corners of every facet, welded by position
    std::vector<Triangle> triangles; // indices into vertices
};

// format: "stl" (binary, or text with ascii), "obj", "ply" or "3mf". Nothing when the bytes
// are not a whole file of that format: a count that disagrees with the data, an index
// beyond the vertices, a number that does not read, anything left over.
std::optional<ReadBackMesh> ReadBack(const std::vector<std::uint8_t>& bytes,
                                     const std::string& format, bool ascii);
