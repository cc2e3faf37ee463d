#include "plugin/mesh/MeshBuffers.h"

#include <cstdint>
#include <iterator>
#include <limits>

namespace {

// The size of one block of the allocation order: per point of capacity, plus a fixed part.
struct BlockSize {
    std::uint64_t bytesPerPoint;
    std::uint64_t fixedBytes;
};

// coordinates, screen X, screen Y, gray, polygons, output; in the order they are allocated.
constexpr BlockSize kBlockSizes[] = {
    {6 * sizeof(float), 0},   {sizeof(std::int16_t), 0}, {sizeof(std::int16_t), 0}, {2, 0},
    {sizeof(PolygonSlot), 0}, {0, kOutputBufferSize},
};

std::uint64_t Capacity(std::uint16_t imageRows, std::uint16_t imageCols) {
    return (std::uint64_t{imageRows} + 1) * (std::uint64_t{imageCols} + 1);
}

} // namespace

std::uint64_t MeshBufferBytes(std::uint16_t imageRows, std::uint16_t imageCols) {
    const std::uint64_t n = Capacity(imageRows, imageCols);
    std::uint64_t total = 0;
    for (const BlockSize& block : kBlockSizes)
        total += block.bytesPerPoint * n + block.fixedBytes;
    return total;
}

bool AllocateMeshBuffers(MeshBuffers& buffers, std::uint16_t imageRows, std::uint16_t imageCols,
                         BlockAllocator& allocator) {
    buffers = MeshBuffers{};
    const std::uint64_t n = Capacity(imageRows, imageCols);

    void* coordinates = nullptr;
    void* screenX = nullptr;
    void* screenY = nullptr;
    void* gray = nullptr;
    void* polygons = nullptr;
    void* output = nullptr;
    void** const slots[] = {&coordinates, &screenX, &screenY, &gray, &polygons, &output};
    static_assert(std::size(slots) == std::size(kBlockSizes));

    bool ok = true;
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        const std::uint64_t bytes = kBlockSizes[i].bytesPerPoint * n + kBlockSizes[i].fixedBytes;
        // A block that cannot even be addressed fails like one the platform refuses.
        if (bytes > std::numeric_limits<std::size_t>::max() / 2 ||
            !(*slots[i] = allocator.Allocate(static_cast<std::size_t>(bytes)))) {
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
