#pragma once
// 3DS files: the fixed scene header (TdsHdr), one triangle mesh object "01", the fixed
// keyframer footer (TdsFtr); the two enclosing chunk lengths are patched at the end.

#include <span>

#include "plugin/export/MeshWriter.h"

inline constexpr std::size_t kTdsHeaderSize = 618;
inline constexpr std::size_t kTdsFooterSize = 519;

class TdsWriter final : public MeshWriter {
  public:
    // header and footer: the TdsHdr and TdsFtr bytes (kTdsHeaderSize, kTdsFooterSize).
    TdsWriter(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services,
              std::span<const std::uint8_t> header, std::span<const std::uint8_t> footer);

  protected:
    // Vertex indices and the triangle count are 16-bit: below 65536 points, at most
    // 65535 triangles.
    bool Accepts() override;
    void WriteBody() override;
    void PatchLengths() override;

  private:
    void WriteChunkHeader(std::uint16_t id, std::uint32_t length);
    void WriteFaceList();

    std::span<const std::uint8_t> header_;
    std::span<const std::uint8_t> footer_;
    std::uint32_t triangles_ = 0;
};
