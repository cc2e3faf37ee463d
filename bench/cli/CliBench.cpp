// The whole quorvmesh run (read, gray, sample, points, export) on a gray BMP, once per
// format, writing into the temporary folder. The picture is 2048 x 2048 for the formats
// that can hold such a mesh; 3DS, LWO and Polyline DXF are limited to 65535 vertices (3DS
// also to 65535 triangles, Polyline DXF to 32767 vertices), so they get the largest square
// picture they take at full resolution. The argument is --threads.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "tool/RunQuorvmesh.h"

namespace {

std::string MakeGrayBmp(std::uint32_t size) {
    const auto path =
        (std::filesystem::temp_directory_path() / ("qm-bench-" + std::to_string(size) + ".bmp"))
            .string();
    if (std::filesystem::exists(path))
        return path;
    std::vector<std::uint8_t> out = {'B', 'M'};
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint32_t offset = 54 + 1024;
    put(offset + size * size, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(size, 4);
    put(size, 4);
    put(1, 2);
    put(8, 2);
    for (int i = 0; i < 6; ++i)
        put(0, 4);
    for (std::uint32_t i = 0; i < 256; ++i)
        put(i * 0x010101u, 4);
    for (std::uint32_t y = 0; y < size; ++y)
        for (std::uint32_t x = 0; x < size; ++x)
            out.push_back(static_cast<std::uint8_t>((x * x + y * 3) >> 6 ^ (y >> 3)));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    return path;
}

void BM_QuorvmeshRun(benchmark::State& state, const char* format, const char* extension,
                     std::uint32_t size) {
    CliOptions options;
    options.input = MakeGrayBmp(size);
    options.output =
        (std::filesystem::temp_directory_path() / (std::string("qm-bench-out") + extension))
            .string();
    options.diskFormat = std::atoi(format);
    options.quiet = true;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::ostringstream out, err;
        CliConsole console{out, err, false};
        if (RunQuorvmesh(options, console) != kExitOk)
            state.SkipWithError(err.str().c_str());
    }
    state.counters["points"] = static_cast<double>(size) * size;
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(options.output)) / (1 << 20);
    std::filesystem::remove(options.output);
}

BENCHMARK_CAPTURE(BM_QuorvmeshRun, NxmDxf, "1", ".dxf", 2048)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QuorvmeshRun, FaceDxf, "2", ".dxf", 2048)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QuorvmeshRun, PolylineDxf, "3", ".dxf", 181)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QuorvmeshRun, Tds, "4", ".3ds", 181)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QuorvmeshRun, Cob, "5", ".cob", 2048)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QuorvmeshRun, Lwo, "6", ".lwo", 255)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
