#pragma once
// BlockAllocator on the C++ heap, for native builds and tests.

#include "plugin/mesh/MeshBuffers.h"

class HeapBlockAllocator final : public BlockAllocator {
  public:
    void* Allocate(std::size_t bytes) override;
    void Release(void* block) override;
};
