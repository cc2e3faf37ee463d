#pragma once
// The mesh memory of one run: sized once from the image, zero-filled, released on every
// path. N = (imageRows + 1) * (imageCols + 1) points covers every resolution and the seam.

#include <cstddef>
#include <cstdint>

#include "common/BlockAllocator.h"
#include "plugin/mesh/PolygonRecord.h"
#include "plugin/mesh/PreviewPolygon.h"

inline constexpr std::size_t kOutputBufferSize = 16384;

// polygonBlock holds either record kind, one per point of capacity.
union PolygonSlot {
    PreviewPolygon preview;
    PolygonRecord record;
};

struct MeshBuffers {
    std::uint32_t capacity; // N, in points
    float* pointX;
    float* pointY;
    float* pointZ;
    float* viewX; // the preview's arrays are packed to the current grid size
    float* viewY;
    float* viewDepth;
    std::int16_t* screenX;
    std::int16_t* screenY;
    std::uint8_t* grayGrid;   // first N bytes of the gray block
    std::uint8_t* solidFlags; // next N bytes: 1 where the sample is not black
    PolygonSlot* polygonBlock;
    std::uint8_t* outputBuffer; // kOutputBufferSize bytes
};

// Allocates every block in order, stopping at the first failure; false when any failed
// (what was obtained stays recorded so that ReleaseMeshBuffers frees it). Refuses image
// sizes whose blocks would not fit in memory, without allocating.
bool AllocateMeshBuffers(MeshBuffers& buffers, std::uint16_t imageRows, std::uint16_t imageCols,
                         BlockAllocator& allocator);

// The bytes AllocateMeshBuffers asks for, for an image of this size (every block together),
// so that a caller can weigh the need against the machine before allocating.
std::uint64_t MeshBufferBytes(std::uint16_t imageRows, std::uint16_t imageCols);

// Releases whatever AllocateMeshBuffers obtained and clears every reference.
void ReleaseMeshBuffers(MeshBuffers& buffers, BlockAllocator& allocator);
