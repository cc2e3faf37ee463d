// Each writer on the largest mesh it accepts (or a large one where it has no small limit),
// into a new file in the page cache. bytes_per_second is the file size over the whole
// export, polygon list included, by CPU time.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/mesh/BenchImage.h"
#include "common/EmbeddedResources.h"
#include "common/MessageReporter.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"

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

// rows x cols Rectangular mesh written as format.
void BM_Export(benchmark::State& state) {
    const auto format = static_cast<std::int32_t>(state.range(0));
    const auto rows = static_cast<std::uint16_t>(state.range(1));
    const auto cols = static_cast<std::uint16_t>(state.range(2));
    BenchMesh mesh(rows, cols);
    if (!mesh.ok)
        return state.SkipWithError("no memory for the mesh");
    mesh.settings.DiskFormat = format;
    const std::string path = OutputPath();
    FixedPathChooser chooser(path);
    StdioOutputFile file;
    Quiet quiet;
    EmbeddedResources resources;
    ExportServices services{chooser, file, quiet, quiet, resources};
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        mesh.Make(kRectangular);
        // A new file each time: replacing a file's contents makes the file system write the
        // old pages out first, which would measure the disk.
        std::filesystem::remove(path);
        state.ResumeTiming();
        if (ExportMesh(mesh.settings, mesh.buffers, services) != ExportOutcome::Written)
            return state.SkipWithError("the export failed");
        bytes = std::filesystem::file_size(path);
    }
    std::filesystem::remove(path);
    static const char* names[] = {"",    "NxM DXF", "3D Face DXF", "Polyline DXF",
                                  "3DS", "COB",     "LWO"};
    state.SetLabel(names[format]);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

BENCHMARK(BM_Export)
    ->ArgNames({"format", "rows", "cols"})
    ->Args({kNxmDxf, 1024, 1024})
    ->Args({kFaceDxf, 1024, 1024})
    ->Args({kPolylineDxf, 181, 181}) // 32761 points
    ->Args({kTds, 182, 182})         // 65522 triangles
    ->Args({kCob, 2048, 2048})
    ->Args({kLwo, 255, 257}) // 65535 points
    ->Unit(benchmark::kMillisecond);

} // namespace
