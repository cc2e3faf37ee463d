// Gray conversion and the median-cut palette on large pictures.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include "host/image/HostImage.h"
#include "host/image/MedianCutQuantizer.h"

namespace {

// A 24-bit picture of width x height in memory; pixels follow a colourful pattern.
class TrueColorSource final : public ImageSource {
  public:
    TrueColorSource(std::uint16_t width, std::uint16_t height) : width_(width), height_(height) {
        const std::uint32_t stride = RowStride(width, 24);
        rows_.resize(std::size_t{stride} * height);
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x) {
                std::uint8_t* p = rows_.data() + std::size_t{y} * stride + 3 * x;
                p[0] = static_cast<std::uint8_t>(x ^ y);
                p[1] = static_cast<std::uint8_t>(x * 3 + y);
                p[2] = static_cast<std::uint8_t>((x * y) >> 5);
            }
    }
    std::uint16_t Width() const override { return width_; }
    std::uint16_t Height() const override { return height_; }
    std::uint16_t BitsPerPixel() const override { return 24; }
    void ReadAll(std::uint8_t* buffer) override { std::memcpy(buffer, rows_.data(), rows_.size()); }
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    void ReadPalette(RgbQuad*) override {}
    bool IsValid() const override { return true; }
    void ReportError() override {}
    const std::uint8_t* Rows() const { return rows_.data(); }

  private:
    std::uint16_t width_, height_;
    std::vector<std::uint8_t> rows_;
};

void BM_ConvertToGray24(benchmark::State& state) {
    const auto size = static_cast<std::uint16_t>(state.range(0));
    TrueColorSource source(size, size);
    for (auto _ : state) {
        state.PauseTiming();
        HostImage image(source, 24);
        state.ResumeTiming();
        image.ConvertToGray();
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * size * size);
}

void BM_InvertGrays(benchmark::State& state) {
    const auto size = static_cast<std::uint16_t>(state.range(0));
    TrueColorSource source(size, size);
    HostImage image(source, 24);
    image.ConvertToGray();
    for (auto _ : state) {
        image.InvertGrays();
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * size * size);
}

void BM_MedianCutQuantizer(benchmark::State& state) {
    const auto size = static_cast<std::uint16_t>(state.range(0));
    TrueColorSource source(size, size);
    for (auto _ : state) {
        MedianCutQuantizer quantizer(236, size, size, source.Rows());
        quantizer.Run();
        benchmark::DoNotOptimize(quantizer.SortedColors());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * size * size);
}

BENCHMARK(BM_ConvertToGray24)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertGrays)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianCutQuantizer)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace
