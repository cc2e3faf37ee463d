#pragma once
// 3DS files: the fixed scene header (TdsHdr), one triangle mesh object "01", the fixed
// keyframer footer (TdsFtr); the two enclosing chunk lengths are patched at the end.

#include <span>

#include "plugin/export/MeshWriter.h"

inline constexpr std::size_t kTdsHeaderSize = 618;
inline constexpr std::size_t kTdsFooterSize = 519;

// The 3DS chunks this writer writes or patches. Every chunk starts with its u16 id and its
// u32 length (these 6 bytes included), little-endian.
enum class TdsChunk : std::uint16_t {
    kMain = 0x4D4D,            // encloses the whole file; starts the header template
    kMeshData = 0x3D3D,        // encloses everything up to the footer template
    kNamedObject = 0x4000,     // the object's name, then its triangle mesh
    kTriangleMesh = 0x4100,    //
    kVertexList = 0x4110,      // u16 count, then x, y, z per point
    kVertexFlags = 0x4111,     // u16 count, then a u16 per point
    kLocalAxes = 0x4160,       // twelve f32: three axes and the origin
    kFaceList = 0x4120,        // u16 count, then a, b, c, flags per triangle
    kSmoothingGroups = 0x4150, // inside the face list: a u32 group mask per triangle
};

class TdsWriter final : public MeshWriter {
  public:
    // header and footer: the TdsHdr and TdsFtr bytes (kTdsHeaderSize, kTdsFooterSize).
    TdsWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
              const SinkSetup& sinkSetup, std::span<const std::uint8_t> header,
              std::span<const std::uint8_t> footer);

    // The most bytes a file takes for the grid of settings (meshRows x PointsPerRow, two
    // triangles a cell at most), whatever the picture.
    static std::uint64_t SizeBound(const MeshSettings& settings);

  protected:
    // Vertex indices and the triangle count are 16-bit: below 65536 points, at most
    // 65535 triangles.
    bool Accepts() override;
    void WriteBody() override;
    void PatchLengths() override;

  private:
    void WriteChunkHeader(TdsChunk id, std::uint32_t length);
    void WriteFaceList();

    std::span<const std::uint8_t> header_;
    std::span<const std::uint8_t> footer_;
    std::uint32_t triangles_ = 0;
};
