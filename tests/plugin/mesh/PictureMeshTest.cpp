#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/MakePoints.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "tests/support/TestMesh.h"

namespace {

// Heap blocks, refused from the `failAt`-th request on; remembers which are still out.
class CountingAllocator final : public BlockAllocator {
  public:
    explicit CountingAllocator(int failAt = -1) : failAt_(failAt) {}
    void* Allocate(std::size_t bytes) override {
        if (requests++ == failAt_)
            return nullptr;
        void* block = std::calloc(bytes, 1);
        live.insert(block);
        return block;
    }
    void Release(void* block) override {
        if (block) {
            EXPECT_EQ(live.erase(block), 1u) << "released a block it never gave";
        }
        std::free(block);
    }
    int requests = 0;
    std::set<void*> live;

  private:
    int failAt_;
};

std::vector<std::uint8_t> Ramp(std::size_t size) {
    std::vector<std::uint8_t> pixels(size);
    for (std::size_t i = 0; i < size; ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 37 % 256);
    return pixels;
}

TEST(PictureMesh, MakesWhatTheStepsMakeByHand) {
    const std::vector<std::uint8_t> pixels = Ramp(7 * 9);
    for (std::int32_t type : {kRectangular, kCylindrical, kSpherical}) {
        MeshSettings viaEntry = DefaultSettings(type, 4);
        CountingAllocator allocator;
        PictureMesh mesh(viaEntry, allocator);
        ASSERT_EQ(mesh.Make(GrayPixels{pixels.data(), 9, 7, 9}), MeshOutcome::Made);

        MeshSettings byHand = DefaultSettings(type, 4);
        byHand.imagePixels = pixels.data();
        byHand.imageRowBytes = 9, byHand.imageRows = 7, byHand.imageCols = 9;
        HeapBlockAllocator heap;
        MeshBuffers buffers{};
        ASSERT_TRUE(AllocateMeshBuffers(buffers, 7, 9, heap));
        SampleGrayGrid(byHand, buffers);
        MakePoints(byHand, buffers);

        const std::size_t points = std::size_t{byHand.meshRows} * PointsPerRow(byHand);
        EXPECT_EQ(viaEntry.meshRows, byHand.meshRows);
        EXPECT_EQ(viaEntry.meshCols, byHand.meshCols);
        EXPECT_EQ(viaEntry.viewDistance, byHand.viewDistance);
        for (std::size_t i = 0; i < points; ++i) {
            ASSERT_EQ(mesh.Buffers().pointX[i], buffers.pointX[i]) << i;
            ASSERT_EQ(mesh.Buffers().pointZ[i], buffers.pointZ[i]) << i;
            ASSERT_EQ(mesh.Buffers().solidFlags[i], buffers.solidFlags[i]) << i;
        }
        ReleaseMeshBuffers(buffers, heap);
    }
}

TEST(PictureMesh, ReleasesEveryBlockAndTheGridReferenceWhenDestroyed) {
    const std::vector<std::uint8_t> pixels = Ramp(5 * 6);
    MeshSettings settings = DefaultSettings(kRectangular);
    CountingAllocator allocator;
    {
        PictureMesh mesh(settings, allocator);
        ASSERT_EQ(mesh.Make(GrayPixels{pixels.data(), 6, 5, 6}), MeshOutcome::Made);
        EXPECT_NE(settings.grayGrid, nullptr);
        EXPECT_FALSE(allocator.live.empty());
    }
    EXPECT_TRUE(allocator.live.empty());
    EXPECT_EQ(settings.grayGrid, nullptr);
    EXPECT_EQ(settings.imagePixels, pixels.data()); // the host's pixels stay handed over
}

TEST(PictureMesh, EachRefusalLeavesNothingMadeAndNothingHeld) {
    const std::vector<std::uint8_t> pixels = Ramp(4 * 4);
    MeshSettings settings = DefaultSettings(kRectangular);

    CountingAllocator untouched;
    {
        PictureMesh mesh(settings, untouched);
        EXPECT_EQ(mesh.Make(GrayPixels{nullptr, 4, 4, 4}), MeshOutcome::NoPixels);
    }
    EXPECT_EQ(untouched.requests, 0);

    // A failure at every block in turn: what was obtained goes back.
    for (int failAt = 0; failAt < 6; ++failAt) {
        CountingAllocator allocator(failAt);
        {
            PictureMesh mesh(settings, allocator);
            EXPECT_EQ(mesh.Make(GrayPixels{pixels.data(), 4, 4, 4}), MeshOutcome::NoMemory);
        }
        EXPECT_TRUE(allocator.live.empty()) << failAt;
    }

    CountingAllocator allocator;
    {
        PictureMesh mesh(settings, allocator);
        settings.meshRows = 0;
        EXPECT_EQ(mesh.Make(GrayPixels{pixels.data(), 3, 4, 4}), MeshOutcome::ShortRows);
        EXPECT_EQ(settings.meshRows, 0); // nothing was sampled
    }
    EXPECT_TRUE(allocator.live.empty());
}

TEST(PictureMesh, RemakeFollowsChangedParametersAndASecondPictureReplacesTheFirst) {
    const std::vector<std::uint8_t> first = Ramp(8 * 8), second(10 * 12, 200);
    MeshSettings settings = DefaultSettings(kRectangular);
    CountingAllocator allocator;
    PictureMesh mesh(settings, allocator);
    ASSERT_EQ(mesh.Make(GrayPixels{first.data(), 8, 8, 8}), MeshOutcome::Made);
    EXPECT_EQ(settings.meshCols, 8);

    settings.MeshRes = 4; // 50 %
    settings.Meshtype = kCylindrical;
    mesh.Remake();
    EXPECT_EQ(settings.meshCols, 4);
    EXPECT_EQ(PointsPerRow(settings), 5u);

    const std::size_t heldBefore = allocator.live.size();
    ASSERT_EQ(mesh.Make(GrayPixels{second.data(), 12, 10, 12}), MeshOutcome::Made);
    EXPECT_EQ(allocator.live.size(), heldBefore);
    EXPECT_EQ(settings.imageCols, 12);
    EXPECT_EQ(mesh.Buffers().capacity, 11u * 13u);
}

// Hands out heap blocks and adds up their sizes.
class SizingAllocator final : public BlockAllocator {
  public:
    void* Allocate(std::size_t bytes) override {
        asked += bytes;
        return std::calloc(bytes, 1);
    }
    void Release(void* block) override { std::free(block); }
    std::uint64_t asked = 0;
};

TEST(MeshBufferBytes, IsWhatTheAllocationAsksFor) {
    for (auto [rows, cols] : {std::pair<std::uint16_t, std::uint16_t>{7, 9}, {1, 1}, {300, 2}}) {
        SizingAllocator sizing;
        MeshBuffers buffers{};
        ASSERT_TRUE(AllocateMeshBuffers(buffers, rows, cols, sizing));
        ReleaseMeshBuffers(buffers, sizing);
        EXPECT_EQ(MeshBufferBytes(rows, cols), sizing.asked) << rows << " x " << cols;
    }
    // The largest picture: far beyond an address space of 32 bits, and no overflow.
    EXPECT_EQ(MeshBufferBytes(65535, 65535),
              (30 + sizeof(PolygonSlot)) * 65536ull * 65536 + kOutputBufferSize);
}

} // namespace
