#pragma once
// Explicit byte orders for the binary formats: 3DS and COB are little-endian, LWO big-endian.
// Each stores a value at p, which has room for it.

#include "common/LibraryGaps.h"
#include <bit>
#include <cstdint>

inline void StoreU16LE(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void StoreU32LE(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void StoreU16BE(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

inline void StoreU32BE(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

// Floats travel as their IEEE single-precision bit patterns.
inline void StoreF32LE(std::uint8_t* p, float v) {
    StoreU32LE(p, BitCast<std::uint32_t>(v));
}

inline void StoreF32BE(std::uint8_t* p, float v) {
    StoreU32BE(p, BitCast<std::uint32_t>(v));
}
