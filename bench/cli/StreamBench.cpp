// The steps of the command-line tool's streaming export on a 2048 x 2048 picture in memory,
// into a file that keeps nothing: making the point rows, making and reducing the cell rows,
// and each format's whole export (its bytes per second, without the disk).
#include <benchmark/benchmark.h>

#include <vector>

#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "simplified/StreamMeshSource.h"
#include "tests/support/CountingOutputFile.h"
#include "tests/support/Recorders.h"
#include "tests/support/TestMesh.h"
#include "tool/ExportFile.h"
#include "toolbase/OutputBuffer.h"

namespace {

constexpr std::uint16_t kSide = 2048;

std::vector<std::uint8_t> Picture() {
    std::vector<std::uint8_t> gray(std::size_t{kSide} * kSide);
    for (std::uint32_t y = 0; y < kSide; ++y)
        for (std::uint32_t x = 0; x < kSide; ++x)
            gray[std::size_t{y} * kSide + x] =
                static_cast<std::uint8_t>((x * x + y * 3) >> 6 ^ (y >> 3));
    return gray;
}

MeshSettings SettingsFor(const std::vector<std::uint8_t>& gray, std::int32_t format) {
    MeshSettings s = DefaultSettings(kRectangular);
    s.BlackHoles = 1;
    s.DiskFormat = format;
    s.imagePixels = gray.data();
    s.imageRowBytes = kSide;
    s.imageRows = kSide;
    s.imageCols = kSide;
    return s;
}

void BM_PointRows(benchmark::State& state) {
    const auto gray = Picture();
    MeshSettings s = SettingsFor(gray, kCob);
    StreamMeshSource source(s);
    for (auto _ : state)
        source.ForEachPointRow(
            [](std::uint32_t, const PointRow& row) { benchmark::DoNotOptimize(row.z[0]); });
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_PointRows)->Unit(benchmark::kMillisecond);

void BM_CellRows(benchmark::State& state) {
    const auto gray = Picture();
    MeshSettings s = SettingsFor(gray, kCob);
    StreamMeshSource source(s);
    for (auto _ : state)
        source.ForEachCellRow([](std::uint32_t, const CellRow& row) {
            benchmark::DoNotOptimize(row.polygons.size());
        });
    state.SetItemsProcessed(state.iterations() * (kSide - 1) * (kSide - 1));
}
BENCHMARK(BM_CellRows)->Unit(benchmark::kMillisecond);

void BM_StreamExport(benchmark::State& state) {
    const auto gray = Picture();
    const auto format = static_cast<std::int32_t>(state.range(0));
    CountingOutputFile file;
    for (auto _ : state) {
        MeshSettings s = SettingsFor(gray, format);
        StreamMeshSource source(s);
        FixedPathChooser chooser("mesh");
        RecordingProgress progress;
        RecordingMessages messages;
        EmbeddedResources resources;
        ExportServices services{chooser, file, progress, messages, resources};
        std::vector<std::uint8_t> buffer(kCliOutputBufferSize);
        if (ExportMesh(s, source, services, {buffer}) != ExportOutcome::Written)
            state.SkipWithError("not written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(file.written));
}
// NxM DXF, 3D Face DXF, COB: the formats that hold a 2048 x 2048 mesh.
BENCHMARK(BM_StreamExport)->Arg(kNxmDxf)->Arg(kFaceDxf)->Arg(kCob)->Unit(benchmark::kMillisecond);

} // namespace
