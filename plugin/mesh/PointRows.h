#pragma once
// The points of the mesh one row at a time, from that row's gray samples: the arithmetic of
// MakePoints, shared by the plug-in's whole-mesh arrays and the command-line tool's streaming
// export.

#include <cstdint>
#include <vector>

#include "plugin/run/MeshSettings.h"

// Where one row of points goes: PointsPerRow(settings) values in each array.
struct PointRowSpan {
    float* x;
    float* y;
    float* z;
    std::uint8_t* solid; // 1 where the sample is not black
};

// The height a Rectangular mesh is exported with: turned over so that bright is high.
inline double ExportTop(const MeshSettings& s) {
    return double{s.MapAlt} * double{s.ModelScale};
}
inline float TurnedOver(double top, float z) {
    return static_cast<float>(top - double{z});
}

// No coordinate of a point made from s's grid (meshRows x meshCols, as made or as exported)
// lies further from 0 than this: it bounds the width of every number a text format writes.
double PointReach(const MeshSettings& s);

// One point of a flat relief.
struct FlatPoint {
    float x, y, z;
};

class PointRowMaker {
  public:
    // asExported: Rectangular heights turned over as the export writes them, instead of as
    // the preview shows them. The settings' mesh type, size and parameters are read once here.
    PointRowMaker(const MeshSettings& settings, bool asExported);

    // Row r of meshRows from its meshCols gray samples (round meshes repeat column 0 as the
    // seam point).
    void Make(std::uint32_t r, const std::uint8_t* gray, const PointRowSpan& out) const;
    // The same from 16-bit levels: level v is the gray v / 257 (65535 is white, 255), so a
    // picture widened as v * 257 gives the heights of its 8-bit gray; solid where v != 0.
    void Make(std::uint32_t r, const std::uint16_t* levels, const PointRowSpan& out) const;
    // Column c of row r alone, as Make makes it, for a flat relief (a Rectangular mesh).
    FlatPoint MakeFlat(std::uint32_t r, std::uint32_t c, std::uint8_t gray) const;
    FlatPoint MakeFlat(std::uint32_t r, std::uint32_t c, std::uint16_t level) const;

  private:
    template <typename Level>
    void MakeAny(std::uint32_t r, const Level* gray, const PointRowSpan& out) const;
    template <typename Level> FlatPoint Flat(std::uint32_t r, std::uint32_t c, Level g) const;
    template <typename Level>
    void MakeRectangular(std::uint32_t r, const Level* gray, const PointRowSpan& out) const;
    template <typename Level>
    void MakeRound(std::uint32_t r, const Level* gray, const PointRowSpan& out) const;

    std::int32_t meshType_;
    std::uint32_t rows_, cols_;
    double heightStep_;
    double offset_; // RadOff * ModelScale
    double step_;   // Rectangular: column spacing; Cylindrical: row spacing
    bool turnOver_;
    double top_;
    // Round meshes: sin and cos of each longitude (cols + 1), and each row's latitude.
    std::vector<double> sin_, cos_;
    std::vector<float> latitude_;
};
