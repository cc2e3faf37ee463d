#pragma once
// Back-to-front order for the painter's algorithm.

#include <cstdint>
#include <memory>

#include "plugin/mesh/MeshBuffers.h"

// The order in which to fill the first count records of block: by depthKey, largest
// (farthest) first; records with equal keys keep their cell order, a NaN key counts as
// nearest. The records stay where they are (moving 44-byte records about costs more than
// the sort), and the order takes 8 bytes per record (16 while sorting). When that memory
// cannot be had, the block itself is sorted instead and the order is the block's.
class DrawOrder {
  public:
    DrawOrder(PolygonSlot* block, std::uint32_t count);

    // The record to fill i-th.
    std::uint32_t operator[](std::uint32_t i) const {
        return items_ ? static_cast<std::uint32_t>(items_[i]) : i;
    }

  private:
    std::unique_ptr<std::uint64_t[]> items_; // near-first key << 32 | record number
};
