#pragma once
// LWOB files (big-endian IFF): one surface name, the points, the polygons; the FORM
// length is patched at the end.

#include "plugin/export/MeshWriter.h"

class LwoWriter final : public MeshWriter {
  public:
    LwoWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
              const SinkSetup& sinkSetup);

    // The most bytes a file takes for the grid of settings (meshRows x PointsPerRow, a quad
    // a cell at most), whatever the picture.
    static std::uint64_t SizeBound(const MeshSettings& settings);

  protected:
    // Point indices are 16-bit: fewer than 65536 points.
    bool Accepts() override;
    void WriteBody() override;
    void PatchLengths() override;

  private:
    void WritePolygons();
};
