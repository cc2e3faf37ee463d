// A tube's and a globe's surface simplified from a picture of the terrain, its error measured
// radially, within 0.5 % and 0.1 % of the relief, on two threads. Items are samples; the
// triangles kept are a counter.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/simplify/BenchTerrain.h"
#include "simplified/SimplifyPicture.h"
#include "simplified/StreamMeshSource.h"
#include "solids/ShapeMesh.h"

namespace {

void BM_SimplifyRound(benchmark::State& state) {
    const auto side = static_cast<std::uint32_t>(state.range(0));
    const std::vector<float> levels = Terrain(side);
    const std::vector<std::uint8_t> gray(levels.begin(), levels.end());
    MeshSettings s{};
    s.Meshtype = static_cast<std::int32_t>(state.range(1));
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
    const double error = static_cast<double>(state.range(2)) / 1000.0 * s.MapAlt * s.ModelScale;
    std::size_t triangles = 0;
    for (auto _ : state)
        triangles = SimplifyPicture(s, nullptr, shape, {error, std::nullopt, 2}).triangles.size();
    state.counters["triangles"] = static_cast<double>(triangles);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * gray.size()));
}
// side, kCylindrical or kSpherical, error in thousandths of the relief
BENCHMARK(BM_SimplifyRound)
    ->ArgsProduct({{512, 2048}, {kCylindrical, kSpherical}, {5, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
