#pragma once
// The plug-in takes all of its memory from the platform's global memory, zero-filled.

#include <cstddef>

#include "plugin/mesh/MeshBuffers.h"

// A movable block, locked; nullptr when it cannot be had (a block that will not lock is
// freed again).
void* AllocateAndLock(std::size_t bytes);

// Unlocks and frees the block that holds pointer; nothing for a null or unknown pointer.
void ReleaseByPointer(void* pointer);

// A fixed block for the per-run FilterGlobals, and its release.
void* AllocateFixed(std::size_t bytes);
void ReleaseFixed(void* block);

// The mesh blocks of one continue.
class GlobalBlockAllocator final : public BlockAllocator {
  public:
    void* Allocate(std::size_t bytes) override { return AllocateAndLock(bytes); }
    void Release(void* block) override { ReleaseByPointer(block); }
};
