#include "tests/plugin/preview/GoldenScenes.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"

namespace {

constexpr int kImageRows = 60, kImageCols = 80;

// A gray picture with a bright dome, ripples, a dark band and a black square: heights
// from every part of the range, and holes for the black-pixel option.
std::vector<std::uint8_t> GoldenImage() {
    std::vector<std::uint8_t> image(kImageRows * kImageCols);
    for (int r = 0; r < kImageRows; ++r)
        for (int c = 0; c < kImageCols; ++c) {
            const double dx = (c - 50.0) / 25.0, dy = (r - 28.0) / 22.0;
            double gray = 200.0 * std::exp(-(dx * dx + dy * dy)) + 30.0 * std::sin(c * 0.45) + 40;
            if (r > 44 && r < 50)
                gray = 20;
            if (r >= 10 && r < 18 && c >= 8 && c < 18)
                gray = 0;
            image[r * kImageCols + c] =
                static_cast<std::uint8_t>(std::lround(std::fmin(gray, 255.0)));
        }
    return image;
}

struct SceneSetup {
    const char* name;
    MeshType type;
    std::int32_t meshRes, shadetype, blackHoles, perspective, latitude, longitude;
    float xrot, yrot, zrot;
};

constexpr float k30 = 0.5235988f;

const SceneSetup kScenes[] = {
    {"rectangular-shaded", kRectangular, 3, 2, 0, 1, 1, 1, k30, k30, 0},
    {"rectangular-outlined-holes", kRectangular, 4, 1, 1, 0, 1, 1, k30, -k30, 0},
    {"rectangular-wireframe-holes", kRectangular, 4, 0, 1, 1, 1, 1, 0.9f, 0.2f, 0.1f},
    {"cylinder-wireframe", kCylindrical, 5, 0, 0, 1, 1, 1, k30, k30, 0},
    {"cylinder-latitude", kCylindrical, 5, 0, 0, 0, 1, 0, 0.2f, 0, 0},
    {"sphere-shaded", kSpherical, 4, 2, 0, 1, 1, 1, k30, k30, 0},
    {"sphere-outlined-holes", kSpherical, 5, 1, 1, 1, 1, 1, 1.2f, 2.5f, 0.4f},
};

GoldenScene Render(const SceneSetup& setup, const std::vector<std::uint8_t>& image) {
    MeshSettings s{};
    s.MeshRes = setup.meshRes;
    s.Meshtype = setup.type;
    s.MapAlt = 12.0f, s.RadOff = 25.0f, s.ModelScale = 1.0f, s.CylLen = 70.0f;
    s.Shadetype = setup.shadetype;
    s.BlackHoles = setup.blackHoles;
    s.DoPerspective = setup.perspective;
    s.DoLatitude = setup.latitude;
    s.DoLongitude = setup.longitude;
    s.Xrot = setup.xrot, s.Yrot = setup.yrot, s.Zrot = setup.zrot;
    s.canvasRect = {0, 0, 240, 200};
    s.viewCenterX = kViewNotPlaced;

    HeapBlockAllocator allocator;
    PictureMesh mesh(s, allocator);
    if (mesh.Make(GrayPixels{image.data(), kImageCols, kImageRows, kImageCols}) !=
        MeshOutcome::Made)
        throw std::runtime_error("golden mesh buffers");
    InitView(s);
    SoftwareSurface surface(s.canvasRect.right, s.canvasRect.bottom);
    QuietPreviewHost host;
    PreviewCache cache;
    PaintCanvas(host, surface, s, mesh.Buffers(), cache);
    return {setup.name, surface.Width(), surface.Height(), surface.Pixels()};
}

} // namespace

std::vector<GoldenScene> RenderGoldenScenes() {
    const std::vector<std::uint8_t> image = GoldenImage();
    std::vector<GoldenScene> scenes;
    for (const SceneSetup& setup : kScenes)
        scenes.push_back(Render(setup, image));
    return scenes;
}

std::string PictureChecksum(const GoldenScene& scene) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const int side : {scene.width, scene.height})
        for (int shift = 0; shift < 32; shift += 8)
            mix(static_cast<std::uint8_t>(side >> shift));
    for (const std::uint8_t pixel : scene.pixels)
        mix(pixel);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}
