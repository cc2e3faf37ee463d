// The streaming export holds a few rows of the mesh, never the whole of it: the most memory
// it has at one time must not grow with the picture's height. Every allocation of this
// program is counted.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "simplified/StreamMeshSource.h"
#include "tests/support/CountingOutputFile.h"
#include "tests/support/Recorders.h"
#include "tests/support/TestMesh.h"
#include "toolbase/OutputBuffer.h"

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

// Each block carries its size in front of it, so that delete knows what it gives back.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Counted(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t live = liveBytes += size;
    for (std::size_t peak = peakBytes; live > peak && !peakBytes.compare_exchange_weak(peak, live);)
        ;
    return block + kHeader;
}

void Uncounted(void* pointer) {
    if (!pointer)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return Counted(size);
}
void* operator new[](std::size_t size) {
    return Counted(size);
}
void operator delete(void* pointer) noexcept {
    Uncounted(pointer);
}
void operator delete[](void* pointer) noexcept {
    Uncounted(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Uncounted(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Uncounted(pointer);
}

namespace {

class SilentProgress final : public ProgressSink {
  public:
    void Report(std::int32_t, std::int32_t) override {}
};

struct Peak {
    std::size_t bytes;       // the most held at once during the export, beyond the picture
    std::uint64_t fileBytes; // what was written
};

Peak StreamedExport(std::uint16_t rows, std::uint16_t cols, std::int32_t meshType,
                    std::int32_t format, std::int32_t meshRes) {
    std::vector<std::uint8_t> gray(std::size_t{rows} * cols);
    for (std::size_t i = 0; i < gray.size(); ++i)
        gray[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 0 : i * 31 % 251);
    MeshSettings s = DefaultSettings(meshType, meshRes);
    s.DiskFormat = format;
    s.BlackHoles = 1;
    s.imagePixels = gray.data();
    s.imageRowBytes = cols;
    s.imageRows = rows;
    s.imageCols = cols;

    const std::size_t before = liveBytes;
    peakBytes = before;
    Peak peak{};
    {
        FixedPathChooser chooser("mesh");
        CountingOutputFile file;
        SilentProgress progress;
        RecordingMessages messages;
        EmbeddedResources resources;
        ExportServices services{chooser, file, progress, messages, resources};
        StreamMeshSource source(s);
        std::vector<std::uint8_t> buffer(kCliOutputBufferSize);
        EXPECT_EQ(ExportMesh(s, source, services, {buffer}), ExportOutcome::Written);
        peak.fileBytes = file.written;
    }
    peak.bytes = peakBytes - before;
    return peak;
}

TEST(StreamMemory, DoesNotGrowWithThePicturesHeight) {
    for (std::int32_t type : {kRectangular, kCylindrical, kSpherical})
        for (std::int32_t format : {kNxmDxf, kFaceDxf, kCob}) {
            const Peak shallow = StreamedExport(32, 600, type, format, 1);
            const Peak tall = StreamedExport(2048, 600, type, format, 1);
            EXPECT_GT(tall.fileBytes, 50 * shallow.fileBytes);
            // Only the sphere's latitudes are kept for every row: 4 bytes each.
            EXPECT_LE(tall.bytes, shallow.bytes + 4 * 2048) << type << " " << format;
            EXPECT_LT(tall.bytes, kCliOutputBufferSize + 100'000) << type << " " << format;
        }
}

TEST(StreamMemory, AReducedResolutionSamplesAFewRowsAtATime) {
    const Peak shallow = StreamedExport(40, 800, kRectangular, kCob, 4);
    const Peak tall = StreamedExport(4000, 800, kRectangular, kCob, 4);
    EXPECT_GT(tall.fileBytes, 50 * shallow.fileBytes);
    EXPECT_EQ(tall.bytes, shallow.bytes);
}

} // namespace
