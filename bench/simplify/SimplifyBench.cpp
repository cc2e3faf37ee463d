// SimplifyGrid on 8-bit terrains of 512 and 2048 samples a side (ridges, valleys, a flat sea
// and a little noise), within 0.5 %, 0.1 % and none of the relief, on one and two threads, and
// within budgets of 10000 to 300000 triangles. Items are samples; the triangles kept and the
// error they reach are counters.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/simplify/BenchTerrain.h"
#include "simplify/SimplifyGrid.h"

namespace {

// The terrain of side samples a side, made once for the runs that share it.
const std::vector<float>& SharedTerrain(std::uint32_t side) {
    static std::vector<float> heights;
    static std::uint32_t made = 0;
    if (made != side) {
        heights = Terrain(side);
        made = side;
    }
    return heights;
}

// Runs goal over the terrain; counts the triangles kept and the error they reach.
void Measure(benchmark::State& state, std::uint32_t side, const SimplifyGoal& goal) {
    const std::vector<float>& heights = SharedTerrain(side);
    const HeightGrid grid{heights.data(), side, side, nullptr};
    SimplifiedMesh mesh;
    for (auto _ : state)
        mesh = SimplifyGrid(grid, goal);
    state.counters["triangles"] = static_cast<double>(mesh.triangles.size());
    state.counters["error"] = mesh.maxError;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * heights.size()));
}

void BM_SimplifyTerrain(benchmark::State& state) {
    const double share = static_cast<double>(state.range(1)) / 1000.0;
    Measure(state, static_cast<std::uint32_t>(state.range(0)),
            {share * 255, 0, static_cast<int>(state.range(2))});
}
// side, error in thousandths of the relief, threads
BENCHMARK(BM_SimplifyTerrain)
    ->ArgsProduct({{512, 2048}, {5, 1, 0}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A triangle budget spent on two threads: the search for the lowest error that fits.
void BM_SimplifyTerrainBudget(benchmark::State& state) {
    Measure(state, static_cast<std::uint32_t>(state.range(0)),
            {0, static_cast<std::uint64_t>(state.range(1)), 2});
}
// side, triangles
BENCHMARK(BM_SimplifyTerrainBudget)
    ->ArgsProduct({{512, 2048}, {10000, 50000, 300000}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
