#include "plugin/mesh/HeapBlockAllocator.h"

#include <cstdlib>

void* HeapBlockAllocator::Allocate(std::size_t bytes) {
    return std::calloc(bytes ? bytes : 1, 1);
}

void HeapBlockAllocator::Release(void* block) {
    std::free(block);
}
