#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/plugin/preview/PreviewFakes.h"
#include "tests/plugin/preview/HandBuiltMesh.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"

namespace {

// Values a broken settings file or an overflowing mesh could bring.
float Wild(std::mt19937& random) {
    static const float kWild[] = {std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  3e38f,
                                  -3e38f,
                                  0.0f,
                                  -0.0f,
                                  1e-40f};
    std::uniform_int_distribution<int> pick(0, 15);
    const int i = pick(random);
    if (i < 8)
        return kWild[i];
    return std::uniform_real_distribution<float>(-1e5f, 1e5f)(random);
}

// Every style on meshes and views with extreme and invalid numbers: the passes finish, stay
// inside the canvas and the buffers (the sanitizer build checks), and count sensibly.
TEST(PreviewRobustness, ExtremeNumbersNeverBreakAPass) {
    std::mt19937 random(31);
    for (int round = 0; round < 300; ++round) {
        const auto type = static_cast<MeshType>(round % 3);
        HandBuiltMesh mesh(4 + round % 5, 3 + round % 7, type);
        std::bernoulli_distribution often(0.8);
        for (std::uint32_t r = 0; r < mesh.settings.meshRows; ++r)
            for (std::uint32_t c = 0; c < mesh.Points(); ++c)
                mesh.Set(r, c, often(random) ? float(c) : Wild(random),
                         often(random) ? float(r) : Wild(random),
                         often(random) ? 1.0f : Wild(random), often(random));
        mesh.FinishBounds();
        if (round % 4 == 0)
            mesh.settings.viewDistance = Wild(random);
        mesh.settings.Xrot = Wild(random);
        mesh.settings.Yrot = Wild(random);
        mesh.settings.DoPerspective = round % 2;
        mesh.settings.BlackHoles = (round / 2) % 2;
        mesh.settings.canvasRect = {0, 0, 64, 48};
        InitView(mesh.settings);
        if (round % 5 == 0)
            mesh.settings.viewZoom = Wild(random);

        SoftwareSurface surface(64, 48);
        FakeHost host;
        host.tickStep = 7;
        PreviewCache cache;
        const std::uint32_t cells = (mesh.settings.meshRows - 1) * (mesh.Points() - 1);
        for (std::int32_t style : {0, 1, 2}) {
            mesh.settings.Shadetype = style;
            PaintCanvas(host, surface, mesh.settings, mesh.buffers, cache);
            ASSERT_LE(mesh.settings.polygonCount, cells);
        }
        DrawBoxOutline(mesh.settings, surface);
    }
}

} // namespace
