// A tube's and a globe's surface simplified from a picture of the terrain, its error measured
// radially, within 0.5 % and 0.1 % of the relief, and a globe's within budgets of 10000 to
// 300000 triangles, on two threads. Items are samples; the triangles kept and the error they
// reach are counters.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/simplify/BenchTerrain.h"
#include "simplified/SimplifyPicture.h"
#include "simplified/StreamMeshSource.h"
#include "solids/ShapeMesh.h"

namespace {

// Simplifies a tube's or a globe's surface of the terrain of side samples a side as asked
// (maxError in thousandths of the relief); counts the triangles kept and the error they reach.
void Measure(benchmark::State& state, std::uint32_t side, std::int32_t meshType,
             SimplifyRequest request) {
    const std::vector<float> levels = Terrain(side);
    const std::vector<std::uint8_t> gray(levels.begin(), levels.end());
    MeshSettings s{};
    s.Meshtype = meshType;
    s.MeshRes = 1;
    s.MapAlt = 25;
    s.RadOff = 20;
    s.ModelScale = 1;
    s.CylLen = 100;
    s.imagePixels = gray.data();
    s.imageRowBytes = s.imageCols = static_cast<std::uint16_t>(side);
    s.imageRows = static_cast<std::uint16_t>(side);
    StreamMeshSource source(s);
    MeshShape shape;
    if (ShapeMesh(source, s, {}, shape)) {
        state.SkipWithError("the shape is refused");
        return;
    }
    if (request.maxError)
        *request.maxError *= s.MapAlt * s.ModelScale / 1000.0;
    SimplifiedSurface surface;
    for (auto _ : state)
        surface = SimplifyPicture(s, nullptr, shape, request);
    state.counters["triangles"] = static_cast<double>(surface.triangles.size());
    state.counters["error"] = surface.maxError;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * gray.size()));
}

void BM_SimplifyRound(benchmark::State& state) {
    Measure(state, static_cast<std::uint32_t>(state.range(0)),
            static_cast<std::int32_t>(state.range(1)),
            {static_cast<double>(state.range(2)), std::nullopt, 2});
}
// side, kCylindrical or kSpherical, error in thousandths of the relief
BENCHMARK(BM_SimplifyRound)
    ->ArgsProduct({{512, 2048}, {kCylindrical, kSpherical}, {5, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A globe within a triangle budget: the search for the lowest error that fits.
void BM_SimplifyGlobeBudget(benchmark::State& state) {
    Measure(state, static_cast<std::uint32_t>(state.range(0)), kSpherical,
            {std::nullopt, static_cast<std::uint64_t>(state.range(1)), 2});
}
// side, triangles
BENCHMARK(BM_SimplifyGlobeBudget)
    ->ArgsProduct({{512, 2048}, {10000, 50000, 300000}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
