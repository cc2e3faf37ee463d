// Sampling, points and the polygon list of a 4096 x 4096 picture, per mesh type.

#include <benchmark/benchmark.h>

#include "bench/mesh/BenchImage.h"
#include "plugin/mesh/BuildPolygonList.h"

namespace {

constexpr std::uint16_t kSide = 4096;

BenchMesh& Shared() {
    static BenchMesh mesh(kSide, kSide);
    return mesh;
}

class NoProgress final : public ProgressSink {
  public:
    void Report(std::int32_t, std::int32_t) override {}
};

void SetLabel(benchmark::State& state, std::int32_t meshType) {
    static const char* names[] = {"Rectangular", "Cylindrical", "Spherical"};
    state.SetLabel(names[meshType]);
}

void BM_SampleAndMakePoints(benchmark::State& state) {
    BenchMesh& mesh = Shared();
    if (!mesh.ok)
        return state.SkipWithError("no memory for the mesh");
    const auto meshType = static_cast<std::int32_t>(state.range(0));
    const auto meshRes = static_cast<std::int32_t>(state.range(1));
    for (auto _ : state) {
        mesh.Make(meshType, meshRes);
        benchmark::DoNotOptimize(mesh.settings.viewDistance);
    }
    SetLabel(state, meshType);
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(mesh.settings.meshRows) *
                                                        PointsPerRow(mesh.settings),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SampleAndMakePoints)
    ->ArgsProduct({{0, 1, 2}, {1, 4}})
    ->ArgNames({"type", "res"})
    ->Unit(benchmark::kMillisecond);

void BM_BuildPolygonList(benchmark::State& state) {
    BenchMesh& mesh = Shared();
    if (!mesh.ok)
        return state.SkipWithError("no memory for the mesh");
    const auto meshType = static_cast<std::int32_t>(state.range(0));
    mesh.settings.BlackHoles = static_cast<std::int32_t>(state.range(1));
    mesh.Make(meshType);
    NoProgress progress;
    // The first pass also pays for the first touch of the polygon block's pages.
    BuildPolygonList(mesh.settings, mesh.buffers, progress);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPolygonList(mesh.settings, mesh.buffers, progress));
    SetLabel(state, meshType);
}
BENCHMARK(BM_BuildPolygonList)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"type", "holes"})
    ->Unit(benchmark::kMillisecond);

} // namespace
