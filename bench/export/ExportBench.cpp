// Each writer on the largest mesh it accepts (or a large one where it has no small limit),
// into a new file in the page cache. BM_Export: bytes_per_second is the file size over the
// whole export, polygon list included, by CPU time. BM_WriterOnly: the same export less the
// time of building its polygon list, i.e. the writer's own throughput.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "bench/mesh/BenchImage.h"
#include "common/EmbeddedResources.h"
#include "common/MessageReporter.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"
#include "plugin/mesh/BuildPolygonList.h"

namespace {

class Quiet final : public MessageReporter, public ProgressSink {
  public:
    void Show(std::string_view, std::string_view, MessageIcon) override { ++shown; }
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return false; }
    void Report(std::int32_t, std::int32_t) override {}
    int shown = 0;
};

std::string OutputPath() {
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-bench-XXXXXX").string();
        return std::string(mkdtemp(pattern.data()));
    }();
    return dir + "/bench.out";
}

const char* FormatName(std::int32_t format) {
    static const char* names[] = {"",    "NxM DXF", "3D Face DXF", "Polyline DXF",
                                  "3DS", "COB",     "LWO"};
    return names[format];
}

// This thread's CPU time (user and system), in seconds.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// One format on a rows x cols Rectangular mesh, with everything an export needs.
struct ExportFixture {
    explicit ExportFixture(benchmark::State& state)
        : format(static_cast<std::int32_t>(state.range(0))),
          mesh(static_cast<std::uint16_t>(state.range(1)),
               static_cast<std::uint16_t>(state.range(2))),
          path(OutputPath()), chooser(path), services{chooser, file, quiet, quiet, resources} {
        mesh.settings.DiskFormat = format;
    }
    ~ExportFixture() { std::filesystem::remove(path); }

    // Fresh points, and a new file each time: replacing a file's contents makes the file
    // system write the old pages out first, which would measure the disk.
    void Prepare() {
        mesh.Make(kRectangular);
        std::filesystem::remove(path);
    }
    bool Export() {
        return ExportMesh(mesh.settings, mesh.buffers, services) == ExportOutcome::Written;
    }

    std::int32_t format;
    BenchMesh mesh;
    std::string path;
    FixedPathChooser chooser;
    StdioOutputFile file;
    Quiet quiet;
    EmbeddedResources resources;
    ExportServices services;
};

void BM_Export(benchmark::State& state) {
    ExportFixture f(state);
    if (!f.mesh.ok)
        return state.SkipWithError("no memory for the mesh");
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.Prepare();
        state.ResumeTiming();
        if (!f.Export())
            return state.SkipWithError("the export failed");
        bytes = std::filesystem::file_size(f.path);
    }
    state.SetLabel(FormatName(f.format));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

// Manual time: the export's CPU time less that of BuildPolygonList on the same points.
void BM_WriterOnly(benchmark::State& state) {
    ExportFixture f(state);
    if (!f.mesh.ok)
        return state.SkipWithError("no memory for the mesh");
    Quiet progress;
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        f.Prepare();
        const double exportStart = ThreadSeconds();
        if (!f.Export())
            return state.SkipWithError("the export failed");
        const double exportSeconds = ThreadSeconds() - exportStart;
        bytes = std::filesystem::file_size(f.path);
        f.mesh.Make(kRectangular);
        const double listStart = ThreadSeconds();
        benchmark::DoNotOptimize(BuildPolygonList(f.mesh.settings, f.mesh.buffers, progress));
        const double listSeconds = ThreadSeconds() - listStart;
        state.SetIterationTime(std::max(exportSeconds - listSeconds, 1e-9));
    }
    state.SetLabel(std::string(FormatName(f.format)) + " writer only");
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

void ExportCases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"format", "rows", "cols"})
        ->Args({kNxmDxf, 1024, 1024})
        ->Args({kFaceDxf, 1024, 1024})
        ->Args({kPolylineDxf, 181, 181}) // 32761 points
        ->Args({kTds, 182, 182})         // 65522 triangles
        ->Args({kCob, 2048, 2048})
        ->Args({kLwo, 255, 257}) // 65535 points
        ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Export)->Apply(ExportCases);
BENCHMARK(BM_WriterOnly)->UseManualTime()->Apply(ExportCases);

} // namespace
