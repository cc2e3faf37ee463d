#include "tool/WrittenStatistics.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

std::string StatisticNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

void WrittenStatistics::Range::Add(float v) {
    low = std::min(low, v);
    high = std::max(high, v);
}

std::string RangeLine(const char* axis, float low, float high) {
    if (low > high)
        return std::string(axis) + " Range: none";
    return std::string(axis) + " Range: " + StatisticNumber(low) + " .. " + StatisticNumber(high);
}

void AddWrittenSize(const std::string& output, StatisticsLines& lines) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(output, error))
        return;
    const auto bytes = std::filesystem::file_size(output, error);
    if (!error)
        lines.push_back("Written:   " + std::to_string(bytes) + " bytes");
}

std::string WrittenStatistics::Range::Text(const char* axis) const {
    return RangeLine(axis, low, high);
}

WrittenStatistics::WrittenStatistics(MeshSource& inner, const MeshSettings& settings)
    : inner_(inner), settings_(settings) {}

void WrittenStatistics::Add(float x, float y, float z) {
    x_.Add(x);
    y_.Add(y);
    z_.Add(z);
}

void WrittenStatistics::ForEachPointRow(const PointRowVisit& visit) {
    const std::uint32_t perRow = PointsPerRow(settings_);
    inner_.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        for (std::uint32_t i = 0; i < perRow; ++i)
            Add(points.x[i], points.y[i], points.z[i]);
        visit(row, points);
    });
}

void WrittenStatistics::ForEachCellRow(const CellRowVisit& visit) {
    // Each 3D face holds its own corners, and no other points.
    const bool cornersOnly = settings_.DiskFormat == kFaceDxf;
    inner_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        for (const PolygonRecord& p : cells.polygons) {
            ++faces_;
            triangles_ += p.count == 4 ? 2 : 1;
            for (int k = 0; cornersOnly && k < p.count; ++k) {
                const CornerPoint corner = cells.Corner(p.index[k]);
                Add(corner.x, corner.y, corner.z);
            }
        }
        visit(row, cells);
    });
}

StatisticsLines WrittenStatistics::Lines(const std::string& output) const {
    const std::uint32_t perRow = PointsPerRow(settings_);
    const std::uint64_t points = std::uint64_t{settings_.meshRows} * perRow;
    std::uint64_t faces = faces_;
    // An NxM grid holds every cell as a face, whatever its corners.
    if (settings_.DiskFormat == kNxmDxf)
        faces = settings_.meshRows > 1 && perRow > 1
                    ? std::uint64_t{settings_.meshRows - 1u} * (perRow - 1)
                    : 0;
    Range y = y_, z = z_;
    if (settings_.DiskFormat == kLwo)
        std::swap(y, z);
    StatisticsLines lines;
    lines.push_back("Polygons:  " + std::to_string(faces) +
                    (settings_.DiskFormat == kTds
                         ? " (" + std::to_string(triangles_) + " triangles)"
                         : std::string()));
    lines.push_back("Vertices:  " +
                    std::to_string(settings_.DiskFormat == kFaceDxf ? 4 * faces : points));
    lines.push_back(x_.Text("X"));
    lines.push_back(y.Text("Y"));
    lines.push_back(z.Text("Z"));
    AddWrittenSize(output, lines);
    return lines;
}
