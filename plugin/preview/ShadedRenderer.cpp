#include "plugin/preview/ShadedRenderer.h"

#include <optional>

#include "plugin/preview/DrawOrder.h"
#include "plugin/preview/PassPacer.h"
#include "plugin/preview/PreviewGrid.h"
#include "plugin/preview/PreviewPolygons.h"

namespace {

constexpr std::uint32_t kPhaseStepMs = 6;
constexpr std::uint32_t kFillStepMs = 10;
constexpr std::uint32_t kPrefetchAhead = 16;

inline void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

class ShadedPass {
  public:
    ShadedPass(PreviewHost& host, DrawingSurface& surface, const MeshSettings& settings,
               const MeshBuffers& buffers, PreviewCache& cache)
        : host_(host), surface_(surface), settings_(settings), buffers_(buffers), cache_(cache),
          grid_(PreviewGrid(settings, buffers)), cells_(grid_.Cells()),
          view_(PackedViewArrays(buffers, grid_)), quarterRow_(grid_.points / 4),
          pacer_(host, 2 * cells_) {}

    // Each phase returns false when the user stopped the pass.
    bool Transform() {
        cache_.polygonsBuilt = false;
        const ViewAngles angles = MakeViewAngles(settings_);
        for (std::uint32_t t = 0; t < grid_.rows; ++t) {
            if (pacer_.Due()) {
                pacer_.Postpone(kPhaseStepMs);
                pacer_.Report(quarterRow_ * t);
            }
            if (host_.CheckAbort())
                return false;
            ProjectPoints(settings_, buffers_, angles, t * grid_.points, grid_.points, &view_);
        }
        cache_.shadeTransformed = true;
        return true;
    }

    bool Build() {
        for (std::uint32_t t = 0; t + 1 < grid_.rows; ++t) {
            if (host_.CheckAbort())
                return false;
            if (pacer_.Due()) {
                pacer_.Postpone(kPhaseStepMs);
                pacer_.Report(quarterRow_ * t + grid_.rows * quarterRow_);
            }
            BuildPolygonRow(settings_, buffers_, grid_, view_, t);
        }
        if (settings_.Meshtype == kSpherical && cells_ != 0)
            ShadePoleRow(buffers_, grid_, view_);
        cache_.polygonsBuilt = true;
        return true;
    }

    void Sort() {
        order_.emplace(buffers_.polygonBlock, cells_);
        cache_.polygonsSorted = true;
    }

    // Returns the number of visible polygons reached.
    std::uint32_t Fill() {
        std::uint32_t drawn = 0;
        const DrawOrder& order = *order_;
        for (std::uint32_t i = 0; i < cells_; ++i) {
            // The order jumps about the block: ask for records well before they are drawn.
            if (i + kPrefetchAhead < cells_)
                Prefetch(&buffers_.polygonBlock[order[i + kPrefetchAhead]]);
            const PreviewPolygon& polygon = buffers_.polygonBlock[order[i]].preview;
            if (polygon.visible != 1)
                continue;
            ++drawn;
            if (pacer_.Due()) {
                if (host_.CheckAbort())
                    break;
                pacer_.Postpone(kFillStepMs);
                pacer_.Report(i + cells_);
            }
            surface_.FillPolygon(polygon.corners, polygon.shade / 4);
        }
        return drawn;
    }

  private:
    PreviewHost& host_;
    DrawingSurface& surface_;
    const MeshSettings& settings_;
    const MeshBuffers& buffers_;
    PreviewCache& cache_;
    PreviewGridShape grid_;
    std::uint32_t cells_;
    ViewArrays view_;
    std::uint32_t quarterRow_;
    PassPacer pacer_;
    std::optional<DrawOrder> order_;
};

} // namespace

std::uint32_t RenderShaded(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                           const MeshBuffers& buffers, PreviewCache& cache,
                           std::int32_t shadetype) {
    const Pen previousPen = surface.SelectPen(shadetype == 2 ? Pen::None : Pen::Black);
    ShadedPass pass(host, surface, settings, buffers, cache);
    host.SetStatus("Transforming points");
    cache.polygonsSorted = false;

    std::uint32_t drawn = 0;
    bool running = cache.shadeTransformed || pass.Transform();
    if (running) {
        host.SetStatus("Generating Polygons");
        running = cache.polygonsBuilt || pass.Build();
    }
    if (running) {
        host.SetStatus("Sorting Polygons");
        pass.Sort();
        host.SetStatus("Rendering");
        drawn = pass.Fill();
    }

    host.ShowDialogProgress(0, 100);
    surface.SelectPen(previousPen);
    host.SetStatus("");
    settings.polygonCount = drawn;
    return drawn;
}
