#pragma once
// The statistics of a triangle-format file, gathered from the blocks its writer takes as they
// pass, like WrittenStatistics for the classic formats.

#include <string>

#include "solids/SurfaceSurvey.h"
#include "solids/TriangleSource.h"
#include "tool/WrittenStatistics.h"

class TriangleStatistics final : public TriangleSource {
  public:
    explicit TriangleStatistics(TriangleSource& inner) : inner_(inner) {}

    TriangleCounts Count() override { return inner_.Count(); }
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

    // Triangles and vertices of the file, the ranges of its coordinates, its size at output.
    StatisticsLines Lines(const std::string& output);
    // The extent of what the passes so far have handed on.
    const Extent& Range() const { return extent_; }

  private:
    TriangleSource& inner_;
    Extent extent_;
};
