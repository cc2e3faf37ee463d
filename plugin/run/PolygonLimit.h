#pragma once
// Start's check of the mesh size: a full-resolution mesh of rows x columns pixels has
// (rows - 1) x (columns - 1) cells; above the "MaxPolys" limit the user is asked first.

#include <cstdint>
#include <string>

#include "common/ProfileStore.h"

inline constexpr std::int32_t kDefaultMaxPolys = 65535;

// Sizes are unsigned 16-bit counts, so images wider or taller than 32767 pixels count
// right; an empty image has no cells.
std::uint32_t FullResolutionPolygonCount(std::uint16_t rows, std::uint16_t columns);

// "MaxPolys" of the plug-in's section (default 65535), its low 16 bits; 0 switches the
// question off.
std::uint16_t ReadPolygonLimit(const ProfileStore& profile);

bool NeedsPolygonQuestion(std::uint32_t polygonCount, std::uint16_t limit);

// The Yes/No question with the limit in it.
std::string PolygonQuestionText(std::uint16_t limit);
