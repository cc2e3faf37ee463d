#pragma once
// DXF text files with an ENTITIES section only, in three flavours: one NxM polygon mesh
// (DiskFormat 1), one 3DFACE per polygon (2), or one polyface mesh (3).

#include "plugin/export/MeshWriter.h"

class DxfWriter final : public MeshWriter {
  public:
    DxfWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
              const SinkSetup& sinkSetup);

    // The most bytes a file of settings.DiskFormat's flavour takes for the grid of settings
    // (meshRows x PointsPerRow, each cell at most one polygon), whatever the picture: its
    // numbers are no wider than PointReach(settings) makes them.
    static std::uint64_t SizeBound(const MeshSettings& settings);

  protected:
    // Counts and vertex numbers are 16-bit signed in DXF: NxM needs rows and points per row,
    // a polyface mesh its point count, to stay at or below 32767.
    bool Accepts() override;
    void WriteBody() override;

  private:
    void WriteNxmMesh();
    void WriteFaces();
    void WritePolyfaceMesh();
    template <std::size_t N> void WriteText(const char (&text)[N]) { Sink().PutBytes(text, N - 1); }
    void WriteInteger(std::int32_t value);
    // Every point as a VERTEX record ending with flags (a literal), a point row per progress
    // step from progressStart.
    template <std::size_t N>
    void WriteVertices(const char (&flags)[N], std::int64_t progressStart,
                       std::int64_t progressTotal);

    std::int32_t flavour_;
};
