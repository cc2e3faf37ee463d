// Preview passes on large meshes drawn into an 800 x 800 software canvas: the full shaded
// pass (transform, build, sort, fill), a shaded repaint with the view unchanged (sort and
// fill only) and the wireframe pass. Argument: the mesh size (rows = columns).

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <vector>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/ShadedRenderer.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/preview/WireframeRenderer.h"

namespace {

constexpr int kCanvas = 800;

// Polls nothing, but keeps a real millisecond clock as the dialog does, read as cheaply as
// the system's tick count.
class ClockHost final : public QuietPreviewHost {
  public:
    std::uint32_t TickCount() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
    }
};

// A size x size Rectangular mesh of a rolling gray landscape, in the 3/4 view with
// perspective, placed on the canvas as the dialog places it.
class BenchMesh {
  public:
    explicit BenchMesh(int size) : image(std::size_t(size) * size) {
        for (int r = 0; r < size; ++r)
            for (int c = 0; c < size; ++c)
                image[std::size_t(r) * size + c] =
                    static_cast<std::uint8_t>(128 + 100 * std::sin(r * 0.02) * std::cos(c * 0.03));
        settings.MeshRes = 1;
        settings.MapAlt = 10.0f, settings.ModelScale = 1.0f;
        settings.RadOff = 20.0f, settings.CylLen = 50.0f;
        settings.DoLatitude = settings.DoLongitude = settings.DoPerspective = 1;
        settings.Xrot = settings.Yrot = 0.5235988f;
        settings.canvasRect = {0, 0, kCanvas, kCanvas};
        settings.viewCenterX = kViewNotPlaced;
        const auto side = static_cast<std::uint16_t>(size);
        if (mesh.Make(GrayPixels{image.data(), side, side, side}) != MeshOutcome::Made)
            throw std::runtime_error("bench mesh buffers");
        InitView(settings);
    }

    std::vector<std::uint8_t> image;
    MeshSettings settings{};
    HeapBlockAllocator allocator;
    PictureMesh mesh{settings, allocator};
    MeshBuffers& buffers = mesh.Buffers();
};

void ShadedFull(benchmark::State& state) {
    BenchMesh mesh(static_cast<int>(state.range(0)));
    SoftwareSurface surface(kCanvas, kCanvas);
    ClockHost host;
    PreviewCache cache;
    for (auto _ : state) {
        cache.ViewChanged();
        surface.FillWhite();
        benchmark::DoNotOptimize(
            RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 2));
    }
}

void ShadedRepaint(benchmark::State& state) {
    BenchMesh mesh(static_cast<int>(state.range(0)));
    SoftwareSurface surface(kCanvas, kCanvas);
    ClockHost host;
    PreviewCache cache;
    RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 2);
    for (auto _ : state) {
        surface.FillWhite();
        benchmark::DoNotOptimize(
            RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 2));
    }
}

void Wireframe(benchmark::State& state) {
    BenchMesh mesh(static_cast<int>(state.range(0)));
    SoftwareSurface surface(kCanvas, kCanvas);
    ClockHost host;
    PreviewCache cache;
    for (auto _ : state) {
        cache.ViewChanged();
        surface.FillWhite();
        benchmark::DoNotOptimize(
            RenderWireframe(host, surface, mesh.settings, mesh.buffers, cache));
    }
}

BENCHMARK(ShadedFull)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(ShadedRepaint)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(Wireframe)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace
