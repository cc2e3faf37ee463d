#include "plugin/mesh/MeshBuffers.h"

#include <cstdint>
#include <limits>

namespace {

// One block of the allocation order: where its address goes and its size per point.
struct BlockPlan {
    void** slot;
    std::uint64_t bytesPerPoint;
    std::uint64_t fixedBytes;
};

} // namespace

bool AllocateMeshBuffers(MeshBuffers& buffers, std::uint16_t imageRows, std::uint16_t imageCols,
                         BlockAllocator& allocator) {
    buffers = MeshBuffers{};
    const std::uint64_t n = (std::uint64_t{imageRows} + 1) * (std::uint64_t{imageCols} + 1);

    void* coordinates = nullptr;
    void* screenX = nullptr;
    void* screenY = nullptr;
    void* gray = nullptr;
    void* polygons = nullptr;
    void* output = nullptr;
    const BlockPlan plan[] = {
        {&coordinates, 6 * sizeof(float), 0}, {&screenX, sizeof(std::int16_t), 0},
        {&screenY, sizeof(std::int16_t), 0},  {&gray, 2, 0},
        {&polygons, sizeof(PolygonSlot), 0},  {&output, 0, kOutputBufferSize},
    };

    bool ok = true;
    for (const BlockPlan& block : plan) {
        const std::uint64_t bytes = block.bytesPerPoint * n + block.fixedBytes;
        // A block that cannot even be addressed fails like one the platform refuses.
        if (bytes > std::numeric_limits<std::size_t>::max() / 2 ||
            !(*block.slot = allocator.Allocate(static_cast<std::size_t>(bytes)))) {
            ok = false;
            break;
        }
    }

    buffers.capacity = ok ? static_cast<std::uint32_t>(n) : 0;
    auto* floats = static_cast<float*>(coordinates);
    if (ok) {
        buffers.pointX = floats;
        buffers.pointY = floats + n;
        buffers.pointZ = floats + 2 * n;
        buffers.viewX = floats + 3 * n;
        buffers.viewY = floats + 4 * n;
        buffers.viewDepth = floats + 5 * n;
        buffers.grayGrid = static_cast<std::uint8_t*>(gray);
        buffers.solidFlags = static_cast<std::uint8_t*>(gray) + n;
    } else {
        // Keep the block starts so that the release finds what was obtained.
        buffers.pointX = floats;
        buffers.grayGrid = static_cast<std::uint8_t*>(gray);
    }
    buffers.screenX = static_cast<std::int16_t*>(screenX);
    buffers.screenY = static_cast<std::int16_t*>(screenY);
    buffers.polygonBlock = static_cast<PolygonSlot*>(polygons);
    buffers.outputBuffer = static_cast<std::uint8_t*>(output);
    return ok;
}

void ReleaseMeshBuffers(MeshBuffers& buffers, BlockAllocator& allocator) {
    void* blocks[] = {buffers.pointX,   buffers.screenX,      buffers.screenY,
                      buffers.grayGrid, buffers.polygonBlock, buffers.outputBuffer};
    for (void* block : blocks)
        if (block)
            allocator.Release(block);
    buffers = MeshBuffers{};
}
