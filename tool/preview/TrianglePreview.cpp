#include "tool/preview/TrianglePreview.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "plugin/preview/Shading.h"
#include "plugin/preview/ViewTransform.h"
#include "tool/preview/PictureFile.h"

namespace {

constexpr std::uint8_t kWhite = 255, kBlack = 0;
// Edges are drawn where they are no farther than the nearest surface by this share of the
// viewing distance, so that a triangle's own edges show over it.
constexpr float kEdgeDepthSlack = 0.002f;

struct CanvasCorner {
    float x, y, depth;
};

// A gray picture with a depth for every pixel; pixel (x, y) shows what covers its middle.
class DepthCanvas {
  public:
    DepthCanvas(int width, int height)
        : width_(width), height_(height), pixels_(std::size_t(width) * height, kWhite),
          depth_(pixels_.size(), std::numeric_limits<float>::infinity()) {}

    void Fill(const CanvasCorner (&c)[3], std::uint8_t gray) {
        const float area = Edge(c[0], c[1], c[2].x, c[2].y);
        if (!(std::abs(area) > 0))
            return;
        const int left = std::max(0, static_cast<int>(std::floor(Low(c, &CanvasCorner::x))));
        const int right = std::min(width_ - 1, static_cast<int>(High(c, &CanvasCorner::x)));
        const int top = std::max(0, static_cast<int>(std::floor(Low(c, &CanvasCorner::y))));
        const int bottom = std::min(height_ - 1, static_cast<int>(High(c, &CanvasCorner::y)));
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                const float w0 = Edge(c[1], c[2], px, py) / area;
                const float w1 = Edge(c[2], c[0], px, py) / area;
                const float w2 = 1 - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0)
                    continue;
                Plot(x, y, w0 * c[0].depth + w1 * c[1].depth + w2 * c[2].depth, gray, 0);
            }
    }

    // A black line, where it is not hidden by more than slack (infinite: everywhere).
    void Line(const CanvasCorner& a, const CanvasCorner& b, float slack) {
        const float steps = std::ceil(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
        // Lines far off the canvas are not worth their steps.
        if (!(steps < 4.0f * (width_ + height_)))
            return;
        for (int i = 0; i <= static_cast<int>(steps); ++i) {
            const float t = steps > 0 ? i / steps : 0;
            const float x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t;
            if (x < 0 || y < 0 || x >= static_cast<float>(width_) ||
                y >= static_cast<float>(height_))
                continue;
            const float depth = a.depth + (b.depth - a.depth) * t;
            Plot(static_cast<int>(x), static_cast<int>(y), depth, kBlack, slack);
        }
    }

    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

  private:
    static float Edge(const CanvasCorner& a, const CanvasCorner& b, float x, float y) {
        return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    }
    static float Low(const CanvasCorner (&c)[3], float CanvasCorner::*axis) {
        return std::min({c[0].*axis, c[1].*axis, c[2].*axis});
    }
    static float High(const CanvasCorner (&c)[3], float CanvasCorner::*axis) {
        return std::max({c[0].*axis, c[1].*axis, c[2].*axis});
    }
    void Plot(int x, int y, float depth, std::uint8_t gray, float slack) {
        const std::size_t at = std::size_t(y) * width_ + x;
        if (depth < depth_[at] + slack) {
            depth_[at] = std::min(depth_[at], depth);
            pixels_[at] = gray;
        }
    }

    int width_, height_;
    std::vector<std::uint8_t> pixels_;
    std::vector<float> depth_;
};

// The settings' bounding box and viewing distance for a box centred on the origin, as
// MakePoints leaves them for its own points.
void SetBox(MeshSettings& s, const Vertex& half) {
    s.minX = -half.x;
    s.maxX = half.x;
    s.minY = -half.y;
    s.maxY = half.y;
    s.minZ = -half.z;
    s.maxZ = half.z;
    s.viewDistance = 3.0f * std::sqrt(half.x * half.x + half.y * half.y + half.z * half.z);
}

} // namespace

bool WriteTrianglePreview(const PreviewOptions& options, MeshSettings settings,
                          TriangleSource& source, const Extent& extent, const AxisMap& toView,
                          std::string& error) {
    // The view turns about the middle of the model.
    Extent box;
    if (!extent.IsEmpty()) {
        box.Add(toView.Apply(extent.low));
        box.Add(toView.Apply(extent.high));
    } else {
        box.Add({0, 0, 0});
    }
    const Vertex middle{(box.low.x + box.high.x) / 2, (box.low.y + box.high.y) / 2,
                        (box.low.z + box.high.z) / 2};
    SetBox(settings, {box.high.x - middle.x, box.high.y - middle.y, box.high.z - middle.z});
    PlacePreviewView(options, settings);

    const ViewAngles angles = MakeViewAngles(settings);
    const float slack = kEdgeDepthSlack * settings.viewDistance;
    const std::int32_t style = settings.Shadetype;
    DepthCanvas canvas(options.size.width, options.size.height);
    source.ForEachTriangleBlock(true, [&](const TriangleBlock& block) {
        for (std::size_t t = 0; t < block.count; ++t) {
            CanvasCorner corner[3];
            float shading[9];
            bool seen = true;
            for (int k = 0; k < 3; ++k) {
                const Vertex v = toView.Apply(block.corners[3 * t + k]);
                const ViewPoint p = TransformPoint(v.x - middle.x, v.y - middle.y, v.z - middle.z,
                                                   angles, settings.viewDistance);
                const std::optional<CanvasPosition> at = ProjectExact(p, settings);
                seen = seen && at.has_value();
                corner[k] = at ? CanvasCorner{at->x, at->y, p.depth} : CanvasCorner{};
                shading[k] = p.x;
                shading[3 + k] = p.y;
                shading[6 + k] = p.depth;
            }
            if (!seen)
                continue;
            if (style != 0) {
                const int entry = ShadeTriangle(shading) / 4;
                canvas.Fill(corner, static_cast<std::uint8_t>(4 * entry));
            }
            if (style == 2)
                continue;
            const float hidden = style == 1 ? slack : std::numeric_limits<float>::infinity();
            for (int k = 0; k < 3; ++k)
                canvas.Line(corner[k], corner[(k + 1) % 3], hidden);
        }
    });
    return WriteGrayPicture(options.path,
                            {options.size.width, options.size.height, canvas.Pixels()}, error);
}
