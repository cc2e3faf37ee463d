#pragma once
// Binary COB files: file header, one polygon object (points, texture coordinates, faces),
// one material and the end chunk; the object's data size and face count are patched at the
// end.

#include <limits>

#include "plugin/export/MeshWriter.h"

class CobWriter final : public MeshWriter {
  public:
    CobWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
              const SinkSetup& sinkSetup);

    // The most bytes a file takes for the grid of settings (meshRows x PointsPerRow, a quad
    // a cell at most), whatever the picture.
    static std::uint64_t SizeBound(const MeshSettings& settings);

  protected:
    // The object's data size is a 32-bit field.
    bool Accepts() override;
    void WriteBody() override;
    void PatchLengths() override;

  private:
    void WriteChunkHeader(const char (&type)[5], std::uint16_t major, std::uint16_t minor,
                          std::uint32_t id, std::uint32_t parent, std::uint32_t size);
    void WriteObjectHead();
    void WritePoints();
    void WriteTextureCoordinates();
    void WriteFaces();
    void WriteMaterial();
    bool FaceCountPatched() const {
        return faceCountOffset_ <= std::numeric_limits<std::uint32_t>::max();
    }

    std::uint32_t polygonDataSize_ = 0;
    std::uint64_t faceCountOffset_ = 0;
    std::uint32_t faces_ = 0;
};
