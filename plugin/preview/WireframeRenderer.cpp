#include "plugin/preview/WireframeRenderer.h"

#include <algorithm>
#include <vector>

#include "plugin/preview/PassPacer.h"
#include "plugin/preview/PreviewGrid.h"

namespace {

constexpr std::uint32_t kStepMs = 6;

class WireframePass {
  public:
    WireframePass(PreviewHost& host, DrawingSurface& surface, const MeshSettings& settings,
                  const MeshBuffers& buffers)
        : host_(host), surface_(surface), settings_(settings), buffers_(buffers),
          grid_(PreviewGrid(settings, buffers)), pacer_(host, ProgressMaximum()) {}

    // Transform returns false when the user stopped the pass; the drawing steps just stop.
    bool Transform() {
        const ViewAngles angles = MakeViewAngles(settings_);
        for (std::uint32_t t = 0; t < grid_.rows; ++t) {
            if (!Pace(t))
                return false;
            ProjectPoints(settings_, buffers_, angles, t * grid_.points, grid_.points, nullptr);
        }
        return true;
    }

    void DrawCells() {
        for (std::uint32_t t = 0; t + 1 < grid_.rows; ++t) {
            if (!Pace(grid_.rows + t))
                return;
            for (std::uint32_t u = 0; u + 1 < grid_.points; ++u)
                DrawCell(t * grid_.points + u);
        }
    }

    void DrawLines() {
        std::uint32_t done = grid_.rows;
        std::vector<CanvasPoint> line(std::max(grid_.rows, grid_.points));
        if (settings_.DoLatitude) {
            for (std::uint32_t t = 0; t < grid_.rows; ++t) {
                if (!Pace(done++))
                    return;
                for (std::uint32_t u = 0; u < grid_.points; ++u)
                    line[u] = Pixel(t * grid_.points + u);
                surface_.Polyline(line.data(), grid_.points);
            }
        }
        if (settings_.DoLongitude) {
            for (std::uint32_t u = 0; u < grid_.points; ++u) {
                if (!Pace(done++))
                    return;
                for (std::uint32_t t = 0; t < grid_.rows; ++t)
                    line[t] = Pixel(t * grid_.points + u);
                surface_.Polyline(line.data(), grid_.rows);
            }
        }
    }

    std::uint32_t polygons = 0;

  private:
    std::uint32_t ProgressMaximum() const {
        if (settings_.BlackHoles)
            return 2 * grid_.rows;
        return grid_.rows + (settings_.DoLongitude ? grid_.points : 0) +
               (settings_.DoLatitude ? grid_.rows : 0);
    }

    // Once the deadline has passed: poll for a click, then show progress.
    bool Pace(std::uint32_t progress) {
        if (!pacer_.Due())
            return true;
        if (host_.CheckAbort())
            return false;
        pacer_.Postpone(kStepMs);
        pacer_.Report(progress);
        return true;
    }

    CanvasPoint Pixel(std::uint32_t i) const { return {buffers_.screenX[i], buffers_.screenY[i]}; }

    void Edge(std::uint32_t a, std::uint32_t b) { surface_.Line(Pixel(a), Pixel(b)); }

    // Corners P00, P01, P11, P10 of the cell whose top-left point is i.
    void DrawCell(std::uint32_t i) {
        const std::uint32_t p00 = i, p01 = i + 1, p11 = i + grid_.points + 1,
                            p10 = i + grid_.points;
        const std::uint8_t* solid = buffers_.solidFlags;
        const int n = solid[p00] + solid[p01] + solid[p11] + solid[p10];
        if (n < 3)
            return;
        ++polygons;
        const bool longitude = settings_.DoLongitude != 0;
        const bool latitude = settings_.DoLatitude != 0;
        if (n == 3 && longitude && latitude) {
            if (!solid[p00] || !solid[p11])
                Edge(p01, p10);
            if (!solid[p01] || !solid[p10])
                Edge(p00, p11);
        }
        if (longitude) {
            if (solid[p00] && solid[p10])
                Edge(p00, p10);
            if (solid[p01] && solid[p11])
                Edge(p01, p11);
        }
        if (latitude) {
            if (solid[p00] && solid[p01])
                Edge(p00, p01);
            if (solid[p10] && solid[p11])
                Edge(p10, p11);
        }
    }

    PreviewHost& host_;
    DrawingSurface& surface_;
    const MeshSettings& settings_;
    const MeshBuffers& buffers_;
    PreviewGridShape grid_;
    PassPacer pacer_;
};

} // namespace

std::uint32_t RenderWireframe(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                              const MeshBuffers& buffers, PreviewCache& cache) {
    if (!settings.DoLatitude && !settings.DoLongitude)
        return settings.polygonCount;
    WireframePass pass(host, surface, settings, buffers);
    host.SetStatus("Transforming Points");

    bool running = cache.wireTransformed || pass.Transform();
    if (running) {
        cache.wireTransformed = true;
        host.SetStatus("Rendering");
        if (settings.BlackHoles) {
            pass.DrawCells();
        } else {
            pass.polygons = PreviewGrid(settings, buffers).Cells();
            pass.DrawLines();
        }
    }

    host.SetStatus("");
    host.ShowDialogProgress(0, 100);
    settings.polygonCount = pass.polygons;
    return pass.polygons;
}
