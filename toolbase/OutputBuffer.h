#pragma once
// What the mesh files of every format are written through.

#include <cstddef>

// The bytes a writer gathers before each write: large writes cost the least per byte.
inline constexpr std::size_t kCliOutputBufferSize = 256 * 1024;
