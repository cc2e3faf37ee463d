#pragma once
// The statistics of a mesh file, gathered from the rows its writer takes from the source as
// they pass: no walk of its own over the mesh.

#include <limits>
#include <string>
#include <vector>

#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"

// What the run tells about its result, one line each.
using StatisticsLines = std::vector<std::string>;

// A number as the statistics print it: 6 significant digits.
std::string StatisticNumber(double value);
// "X Range: low .. high" (6 significant digits), or "X Range: none" when nothing was seen.
std::string RangeLine(const char* axis, float low, float high);
// Adds "Written:   N bytes" when output is a regular file whose size can be read.
void AddWrittenSize(const std::string& output, StatisticsLines& lines);

// A source that hands on what it is given and keeps count of what the file holds.
class WrittenStatistics final : public MeshSource {
  public:
    // settings: the export's (DiskFormat, meshRows, meshCols), read once the file is written.
    WrittenStatistics(MeshSource& inner, const MeshSettings& settings);

    void Prepare(ProgressSink& progress) override { inner_.Prepare(progress); }
    PolygonTally Tally() override { return inner_.Tally(); }
    void ForEachPointRow(const PointRowVisit& visit) override;
    void ForEachCellRow(const CellRowVisit& visit) override;

    // The file as written: polygons (and 3DS triangles), vertices, the ranges of the
    // coordinates it holds (an LWO file holds x, z, y), and the size of the file at output.
    StatisticsLines Lines(const std::string& output) const;

  private:
    struct Range {
        float low = std::numeric_limits<float>::infinity();
        float high = -std::numeric_limits<float>::infinity();
        void Add(float v);
        std::string Text(const char* axis) const;
    };
    void Add(float x, float y, float z);

    MeshSource& inner_;
    const MeshSettings& settings_;
    std::uint64_t faces_ = 0, triangles_ = 0;
    Range x_, y_, z_;
};
