#pragma once
// What the tool promises of a triangle file, checked on the file as read back: no number that
// is not finite, no triangle without area; a solid closed (each edge used once in each
// direction) and turned outward (positive volume); the sizes and the placement asked for; an
// open surface that covers the picture.

#include <optional>
#include <string>

#include "fuzz/solid/MeshReadBack.h"
#include "fuzz/solid/SolidCase.h"

// The first promise the mesh breaks, in words; nothing when it keeps them all.
std::optional<std::string> BrokenPromise(const SolidCase& c, const ReadBackMesh& mesh);
