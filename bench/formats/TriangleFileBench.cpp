// Binary STL of a 2048 x 2048 picture's surface (2 * 2047^2 triangles, about 420 MB) against
// the same bytes written in 256 KB pieces, as dd would put them into the page cache. The
// source hands out one block of corners again and again, so that the writer is measured.

#include <cstdio>
#include <filesystem>
#include <vector>

#include <benchmark/benchmark.h>

#include "toolbase/OutputBuffer.h"
#include "triangles/TriangleFile.h"

namespace {

constexpr std::uint64_t kGrid = 2048;
constexpr std::uint64_t kTriangles = 2 * (kGrid - 1) * (kGrid - 1);
constexpr std::size_t kBlock = 2 * (kGrid - 1); // one row of cells
constexpr std::uint64_t kStlBytes = 84 + 50 * kTriangles;

class RepeatedRowSource final : public TriangleSource {
  public:
    RepeatedRowSource() : triangles_(kBlock), corners_(3 * kBlock) {
        for (std::size_t i = 0; i < kBlock; ++i) {
            const float x = float(i / 2), z = float(i % 7);
            corners_[3 * i] = {x, 0, z};
            corners_[3 * i + 1] = {x + 1, 0, z + 1};
            corners_[3 * i + 2] = {x, 1, z + 2};
        }
    }
    TriangleCounts Count() override { return {kGrid * kGrid, kTriangles}; }
    void ForEachVertexBlock(const VertexBlockVisit&) override {}
    void ForEachTriangleBlock(bool, const TriangleBlockVisit& visit) override {
        for (std::uint64_t done = 0; done < kTriangles; done += kBlock)
            visit({kBlock, triangles_, corners_});
    }

  private:
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_;
};

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "qm-formats-bench.stl").string();
}

void BM_BinaryStl2048(benchmark::State& state) {
    RepeatedRowSource source;
    const std::string path = BenchPath();
    for (auto _ : state)
        if (WriteTriangleFile(path, kStl, false, source))
            state.SkipWithError("write failed");
    std::filesystem::remove(path);
    state.SetBytesProcessed(std::int64_t(state.iterations() * kStlBytes));
}
BENCHMARK(BM_BinaryStl2048)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SameBytesLikeDd(benchmark::State& state) {
    const std::vector<std::uint8_t> chunk(kCliOutputBufferSize, 0x5a);
    const std::string path = BenchPath();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        for (std::uint64_t left = kStlBytes; left > 0;) {
            const std::size_t take = std::size_t(std::min<std::uint64_t>(left, chunk.size()));
            std::fwrite(chunk.data(), 1, take, file);
            left -= take;
        }
        std::fclose(file);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(std::int64_t(state.iterations() * kStlBytes));
}
BENCHMARK(BM_SameBytesLikeDd)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
