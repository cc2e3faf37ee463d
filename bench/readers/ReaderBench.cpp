// Reading large pictures: an 8192 x 8192 24-bit BMP and the same picture as a PackBits
// TIFF, from a file in the temporary folder into a HostImage.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/MessageReporter.h"
#include "host/image/HostImage.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/SourceFile.h"

namespace {

constexpr std::uint32_t kSize = 8192;

class QuietReporter final : public MessageReporter {
  public:
    void Show(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return false; }
};

// Smooth ramps with flat patches, so PackBits finds both runs and literals.
std::uint8_t Sample(std::uint32_t x, std::uint32_t y, int channel) {
    if ((x / 64 + y / 64) % 3 == 0)
        return static_cast<std::uint8_t>(40 * channel);
    return static_cast<std::uint8_t>(x * (channel + 1) + y * 3 + ((x * y) >> 7));
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string MakeBmp() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "qm-bench-8192.bmp").string();
    if (std::filesystem::exists(path))
        return path;
    const std::uint32_t stride = kSize * 3;
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put32(out, 54 + stride * kSize);
    Put32(out, 0);
    Put32(out, 54);
    for (std::uint32_t v : {40u, kSize, kSize})
        Put32(out, v);
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    out.reserve(out.size() + std::size_t{stride} * kSize);
    for (std::uint32_t y = 0; y < kSize; ++y)
        for (std::uint32_t x = 0; x < kSize; ++x)
            for (int c = 2; c >= 0; --c)
                out.push_back(Sample(x, kSize - 1 - y, c));
    WriteFile(path, out);
    return path;
}

// PackBits: runs of three or more equal bytes, literals of up to 128 between them.
void PackRow(const std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        std::size_t end = i;
        while (end < row.size() && end - i < 128 &&
               !(end + 2 < row.size() && row[end] == row[end + 1] && row[end] == row[end + 2]))
            ++end;
        out.push_back(static_cast<std::uint8_t>(end - i - 1));
        out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                   row.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
    }
}

std::string MakeTiff() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "qm-bench-8192.tif").string();
    if (std::filesystem::exists(path))
        return path;
    std::vector<std::uint8_t> data;
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint8_t> row(std::size_t{kSize} * 3);
    const std::uint32_t rowsPerStrip = 16;
    for (std::uint32_t y = 0; y < kSize; ++y) {
        if (y % rowsPerStrip == 0)
            offsets.push_back(static_cast<std::uint32_t>(8 + data.size()));
        for (std::uint32_t x = 0; x < kSize; ++x)
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = Sample(x, y, 2 - c);
        PackRow(row, data);
    }
    std::vector<std::uint8_t> out = {'I', 'I', 42, 0};
    const std::uint32_t bitsAt = static_cast<std::uint32_t>(8 + data.size());
    const std::uint32_t tableAt = bitsAt + 6;
    const std::uint32_t directoryAt = tableAt + 4 * static_cast<std::uint32_t>(offsets.size());
    Put32(out, directoryAt);
    out.insert(out.end(), data.begin(), data.end());
    for (int i = 0; i < 3; ++i)
        Put16(out, 8);
    for (auto o : offsets)
        Put32(out, o);
    const std::uint32_t entries[][4] = {
        {256, 4, 1, kSize},  {257, 4, 1, kSize},
        {258, 3, 3, bitsAt}, {259, 3, 1, 32773},
        {262, 3, 1, 2},      {273, 4, static_cast<std::uint32_t>(offsets.size()), tableAt},
        {277, 3, 1, 3},      {278, 4, 1, rowsPerStrip}};
    Put16(out, 8);
    for (const auto& e : entries) {
        Put16(out, e[0]);
        Put16(out, e[1]);
        Put32(out, e[2]);
        Put32(out, e[3]);
    }
    Put32(out, 0);
    WriteFile(path, out);
    return path;
}

void ReadPicture(benchmark::State& state, const std::string& path) {
    QuietReporter reporter;
    for (auto _ : state) {
        SourceFile file(path);
        auto source = CreateImageSource(file, reporter);
        HostImage image(*source, 24);
        if (image.Failed() || image.Width() != kSize)
            state.SkipWithError("picture not read");
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSize * kSize * 3);
}

void BM_Read8192Bmp24(benchmark::State& state) {
    ReadPicture(state, MakeBmp());
}
void BM_Read8192TiffPackBits24(benchmark::State& state) {
    ReadPicture(state, MakeTiff());
}

BENCHMARK(BM_Read8192Bmp24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Read8192TiffPackBits24)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
