// SimplifyGrid on 8-bit terrains of 512 and 2048 samples a side (ridges, valleys, a flat sea
// and a little noise), within 0.5 %, 0.1 % and none of the relief, on one and two threads.
// Items are samples; the triangles kept are a counter.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/simplify/BenchTerrain.h"
#include "simplify/SimplifyGrid.h"

namespace {

void BM_SimplifyTerrain(benchmark::State& state) {
    const auto side = static_cast<std::uint32_t>(state.range(0));
    const double share = static_cast<double>(state.range(1)) / 1000.0;
    const int threads = static_cast<int>(state.range(2));
    static std::vector<float> heights;
    static std::uint32_t made = 0;
    if (made != side) {
        heights = Terrain(side);
        made = side;
    }
    const HeightGrid grid{heights.data(), side, side, nullptr};
    std::size_t triangles = 0;
    for (auto _ : state)
        triangles = SimplifyGrid(grid, {share * 255, 0, threads}).triangles.size();
    state.counters["triangles"] = static_cast<double>(triangles);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * heights.size()));
}
// side, error in thousandths of the relief, threads
BENCHMARK(BM_SimplifyTerrain)
    ->ArgsProduct({{512, 2048}, {5, 1, 0}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
