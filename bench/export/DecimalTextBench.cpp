// The DXF writer's "%.4f" texts, in time per value (the per_value counter): the coordinates
// of a 2048 x 2048 height field as the points come out of a Rectangular mesh, random bit
// patterns of every magnitude (a third of them beyond the fast path), and random bit
// patterns below 1e7 in magnitude. The texts go one after the other into a 64 KB buffer, as
// the writer's sink takes them.

#include <benchmark/benchmark.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "plugin/export/DecimalText.h"

namespace {

constexpr int kFieldSide = 2048;
constexpr std::size_t kBufferSize = 65536;

// x, y, z of every point, interleaved as the writer formats them, with the default MapAlt
// and ModelScale and smooth hills with a little noise for the grays.
std::vector<float> HeightFieldValues() {
    constexpr double kModelScale = 1.0, kMapAlt = 25.0;
    const double step = kModelScale * 100.0 / kFieldSide;
    const double heightStep = kMapAlt * kModelScale / 256.0;
    std::vector<float> values;
    values.reserve(std::size_t{3} * kFieldSide * kFieldSide);
    std::uint32_t noise = 12345;
    for (int r = 0; r < kFieldSide; ++r) {
        const float y = static_cast<float>((kFieldSide / 2 - r) * step);
        for (int c = 0; c < kFieldSide; ++c) {
            noise = noise * 1103515245u + 12345u;
            const double hill = 127.5 + 120 * std::sin(r * 0.013) * std::cos(c * 0.011);
            const int gray = static_cast<int>(hill) + static_cast<int>((noise >> 16) % 7) - 3;
            values.push_back(static_cast<float>((c - kFieldSide / 2) * step));
            values.push_back(y);
            values.push_back(static_cast<float>((255 - gray) * heightStep));
        }
    }
    return values;
}

std::vector<float> RandomValues(float limit) {
    std::mt19937 rng(7);
    std::vector<float> values;
    while (values.size() < std::size_t{1} << 22) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        if (std::fabs(value) < limit)
            values.push_back(value);
    }
    return values;
}

void FormatAll(benchmark::State& state, const std::vector<float>& values) {
    std::vector<char> buffer(kBufferSize + kDecimalTextMax);
    std::size_t used = 0;
    for (auto _ : state) {
        for (const float value : values) {
            used += FormatFixed4(value, buffer.data() + used);
            if (used >= kBufferSize)
                used = 0;
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.counters["per_value"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * values.size(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FormatFixed4HeightField(benchmark::State& state) {
    static const std::vector<float> values = HeightFieldValues();
    FormatAll(state, values);
}
BENCHMARK(BM_FormatFixed4HeightField)->Unit(benchmark::kMillisecond);

void BM_FormatFixed4RandomBits(benchmark::State& state) {
    static const std::vector<float> values = RandomValues(INFINITY);
    FormatAll(state, values);
}
BENCHMARK(BM_FormatFixed4RandomBits)->Unit(benchmark::kMillisecond);

void BM_FormatFixed4RandomBelow1e7(benchmark::State& state) {
    static const std::vector<float> values = RandomValues(1e7f);
    FormatAll(state, values);
}
BENCHMARK(BM_FormatFixed4RandomBelow1e7)->Unit(benchmark::kMillisecond);

} // namespace
