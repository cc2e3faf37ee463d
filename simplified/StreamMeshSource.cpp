#include "simplified/StreamMeshSource.h"

#include <cstddef>

#include "plugin/mesh/CellRows.h"

namespace {

MeshSettings& WithGrid(MeshSettings& s) {
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    s.meshRows = grid.rows;
    s.meshCols = grid.cols;
    s.grayRowBytes = grid.cols;
    s.grayGrid = nullptr; // no grid is ever held
    return s;
}

// Levels that do not cover the picture would be read past their end; its 8-bit gray does.
const WideGray* Covering(const WideGray* wide, const MeshSettings& s) {
    if (wide == nullptr || wide->width != s.imageCols || wide->height != s.imageRows ||
        wide->levels.size() != std::size_t{wide->width} * wide->height)
        return nullptr;
    return wide;
}

} // namespace

StreamMeshSource::RowSampler::RowSampler(const StreamMeshSource& source) {
    if (source.wide_ != nullptr)
        wide_.emplace(LevelPicture<std::uint16_t>{source.wide_->levels.data(), source.wide_->width,
                                                  source.wide_->height, source.wide_->width},
                      source.grid_);
    else
        gray_.emplace(GrayPicture(source.settings_), source.grid_);
}

void StreamMeshSource::RowSampler::Make(const PointRowMaker& maker, std::uint32_t r,
                                        const PointRowSpan& out) {
    if (wide_)
        maker.Make(r, wide_->Row(r), out);
    else
        maker.Make(r, gray_->Row(r), out);
}

StreamMeshSource::StreamMeshSource(MeshSettings& settings, const WideGray* wide)
    : settings_(WithGrid(settings)),
      wide_(Covering(wide, settings)), grid_{settings.meshRows, settings.meshCols},
      perRow_(PointsPerRow(settings)), maker_(settings, true),
      coordinates_(6 * std::size_t{perRow_}), solid_(2 * std::size_t{perRow_}) {}

PointRow StreamMeshSource::MakeRow(RowSampler& sampler, std::uint32_t r, int slot) {
    float* base = coordinates_.data() + 3 * std::size_t{perRow_} * slot;
    const PointRowSpan out{base, base + perRow_, base + 2 * perRow_,
                           solid_.data() + std::size_t{perRow_} * slot};
    sampler.Make(maker_, r, out);
    return {out.x, out.y, out.z};
}

void StreamMeshSource::ForEachPointRow(const PointRowVisit& visit) {
    if (perRow_ == 0)
        return;
    RowSampler sampler(*this);
    for (std::uint32_t r = 0; r < grid_.rows; ++r)
        visit(r, MakeRow(sampler, r, 0));
}

void StreamMeshSource::ForEachCellRow(const CellRowVisit& visit) {
    if (grid_.rows < 2 || perRow_ < 2)
        return;
    RowSampler sampler(*this);
    const bool blackHoles = settings_.BlackHoles != 0;
    PointRow top = MakeRow(sampler, 0, 0);
    for (std::uint32_t r = 0; r + 1 < grid_.rows; ++r) {
        const int under = static_cast<int>((r + 1) % 2);
        const PointRow bottom = MakeRow(sampler, r + 1, under);
        const std::uint8_t* solidTop = solid_.data() + std::size_t{perRow_} * (r % 2);
        const std::uint8_t* solidBottom = solid_.data() + std::size_t{perRow_} * under;
        const auto first = static_cast<std::int32_t>(r * perRow_);
        polygons_.clear();
        ReduceCellRow({top.x, top.y, top.z, solidTop}, {bottom.x, bottom.y, bottom.z, solidBottom},
                      perRow_, first, blackHoles,
                      [&](std::uint32_t, std::int16_t count, const std::int32_t* corners) {
                          if (!IsPolygon(count))
                              return;
                          // Filled in place: a record built aside and copied in
                          // stalls on its narrow count field.
                          PolygonRecord& record = polygons_.emplace_back();
                          record.count = count;
                          for (int k = 0; k < 4; ++k)
                              record.index[k] = k < count ? corners[k] : 0;
                      });
        visit(r, {polygons_, top, bottom, first, perRow_});
        top = bottom;
    }
}

PolygonTally StreamMeshSource::Tally() {
    if (!tally_)
        tally_ = TallyCellRows(*this);
    return *tally_;
}
