#pragma once
// Where the mesh memory comes from: platform global memory in the plug-in, the heap natively.

#include <cstddef>

class BlockAllocator {
  public:
    virtual ~BlockAllocator() = default;
    // A zero-filled block, or nullptr when the memory cannot be had.
    virtual void* Allocate(std::size_t bytes) = 0;
    virtual void Release(void* block) = 0;
};
