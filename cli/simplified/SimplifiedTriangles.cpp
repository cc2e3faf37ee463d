#include "cli/simplified/SimplifiedTriangles.h"

#include <algorithm>

#include "cli/solid/SurfaceSurvey.h"

namespace {

// Triangles handed to the writer at a time.
constexpr std::size_t kBlock = 1 << 14;

} // namespace

SimplifiedTriangles::SimplifiedTriangles(const SimplifiedPicture& picture,
                                         const ShapeOptions& options, ProgressSink& progress)
    : picture_(picture), progress_(progress) {
    Extent extent;
    for (const Vertex& v : picture.points)
        extent.Add(v);
    if (options.solid && !extent.IsEmpty()) {
        const float base = static_cast<float>(double{extent.low.z} - options.baseMm);
        const Vertex centre{(extent.low.x + extent.high.x) / 2, (extent.low.y + extent.high.y) / 2,
                            base};
        parts_ =
            WallsAndBase(Rim(), base, centre, static_cast<std::uint32_t>(picture.points.size()));
        for (const Vertex& v : parts_.vertices)
            extent.Add(v);
    }
    if (options.origin != ModelOrigin::kAsMade && !extent.IsEmpty()) {
        offset_ = Placement(options.origin, extent);
        placed_ = offset_.x != 0 || offset_.y != 0 || offset_.z != 0;
    }
}

std::vector<RimVertex> SimplifiedTriangles::Rim() const {
    const std::vector<std::uint32_t>& samples = picture_.mesh.vertices;
    const std::uint32_t rows = picture_.rows, cols = picture_.cols;
    std::vector<RimVertex> top, right, bottom, left;
    for (std::uint32_t i = 0; i < samples.size(); ++i) {
        const std::uint32_t r = samples[i] / cols, c = samples[i] % cols;
        const RimVertex v{i, picture_.points[i]};
        if (r == 0)
            top.push_back(v);
        else if (c == cols - 1)
            right.push_back(v);
        else if (r == rows - 1)
            bottom.push_back(v);
        else if (c == 0)
            left.push_back(v);
    }
    // Along the first row, down the last column, back along the last row, up the first.
    std::vector<RimVertex> rim = std::move(top);
    rim.insert(rim.end(), right.begin(), right.end());
    rim.insert(rim.end(), bottom.rbegin(), bottom.rend());
    rim.insert(rim.end(), left.rbegin(), left.rend());
    return rim;
}

TriangleCounts SimplifiedTriangles::Count() {
    return {picture_.points.size() + parts_.vertices.size(),
            picture_.mesh.triangles.size() + parts_.triangles.size()};
}

void SimplifiedTriangles::ForEachVertexBlock(const VertexBlockVisit& visit) {
    std::vector<Vertex> block;
    const auto flush = [&] {
        if (!block.empty())
            visit(block);
        block.clear();
    };
    const std::vector<Vertex>* lists[] = {&picture_.points, &parts_.vertices};
    for (const std::vector<Vertex>* list : lists) {
        for (const Vertex& v : *list) {
            block.push_back(Placed(v));
            if (block.size() == kBlock)
                flush();
        }
        flush();
    }
}

void SimplifiedTriangles::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    const auto& surface = picture_.mesh.triangles;
    const auto total = static_cast<std::int32_t>((surface.size() + kBlock - 1) / kBlock);
    for (std::size_t first = 0; first < surface.size(); first += kBlock) {
        triangles_.clear();
        corners_.clear();
        for (std::size_t t = first; t < std::min(surface.size(), first + kBlock); ++t) {
            // The grid's rows run down y, so a triangle that turns positively on the grid
            // faces down: its corners are taken the other way round.
            const std::uint32_t a = surface[t][0], b = surface[t][2], c = surface[t][1];
            triangles_.push_back({{a, b, c}});
            if (withCorners)
                for (const std::uint32_t v : {a, b, c})
                    corners_.push_back(Placed(picture_.points[v]));
        }
        visit({triangles_, corners_});
        progress_.Report(static_cast<std::int32_t>(first / kBlock + 1), total);
    }
    if (parts_.triangles.empty())
        return;
    corners_.clear();
    if (withCorners)
        for (const Vertex& v : parts_.corners)
            corners_.push_back(Placed(v));
    visit({parts_.triangles, corners_});
}
