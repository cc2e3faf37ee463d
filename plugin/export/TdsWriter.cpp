#include "plugin/export/TdsWriter.h"

#include <bit>

#include "plugin/export/ByteOrder.h"
#include "plugin/mesh/BuildPolygonList.h"

namespace {

constexpr char kFilter[] = "3DS Files (*.3ds)\0*.3ds\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargest16 = 65535;
constexpr std::uint16_t kFaceFlags = 6; // edges AB and BC visible, CA hidden

// The object's local axes and origin, as twelve float bit patterns.
constexpr std::uint32_t kLocalAxes[12] = {
    0x3F800000, 0,          0,          //
    0,          0x3F800000, 0xA50D4000, //
    0,          0x250D4000, 0x3F800000, //
    0xBF0E3880, 0,          0x40938034,
};

// Where the two lengths the templates leave open sit.
constexpr std::uint32_t kMainLengthOffset = 2;
constexpr std::uint32_t kMeshDataLengthOffset = 18;

} // namespace

TdsWriter::TdsWriter(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services,
                     std::span<const std::uint8_t> header, std::span<const std::uint8_t> footer)
    : MeshWriter(kFilter, settings, buffers, services), header_(header), footer_(footer) {}

bool TdsWriter::Accepts() {
    if (PointCount() > kLargest16)
        return false;
    // Every cell gives at most two triangles; count them only when that could be too many.
    const std::uint64_t cells = std::uint64_t{CellRows()} * CellsPerRow();
    return 2 * cells <= kLargest16 || TallyPolygons(settings(), buffers()).triangles <= kLargest16;
}

void TdsWriter::WriteChunkHeader(std::uint16_t id, std::uint32_t length) {
    WriteU16LE(id);
    WriteU32LE(length);
}

void TdsWriter::WriteBody() {
    const auto v = static_cast<std::uint32_t>(PointCount());
    triangles_ = 0;
    for (std::size_t cell = 0, cells = std::size_t{CellRows()} * CellsPerRow(); cell < cells;
         ++cell)
        triangles_ += Polygon(cell).count == 4 ? 2 : Polygon(cell).count == 3 ? 1 : 0;
    const std::uint32_t t = triangles_;

    WriteBytes(header_.data(), header_.size());
    WriteChunkHeader(0x4000, 99 + 14 * v + 12 * t);
    WriteBytes("01", 3);
    WriteChunkHeader(0x4100, 90 + 14 * v + 12 * t);

    WriteChunkHeader(0x4110, 8 + 12 * v);
    WriteU16LE(static_cast<std::uint16_t>(v));
    WriteRecords(v, 12, [&](std::size_t i, std::uint8_t* xyz) {
        PutF32LE(xyz, X(i));
        PutF32LE(xyz + 4, Y(i));
        PutF32LE(xyz + 8, Z(i));
    });

    WriteChunkHeader(0x4111, 8 + 2 * v);
    WriteU16LE(static_cast<std::uint16_t>(v));
    WriteRecords(v, 2, [](std::size_t, std::uint8_t* flags) { PutU16LE(flags, 0); });

    WriteChunkHeader(0x4160, 54);
    for (std::uint32_t bits : kLocalAxes)
        WriteF32LE(std::bit_cast<float>(bits));

    WriteFaceList();
    WriteBytes(footer_.data(), footer_.size());
}

void TdsWriter::WriteFaceList() {
    const std::uint32_t t = triangles_;
    WriteChunkHeader(0x4120, 14 + 12 * t);
    WriteU16LE(static_cast<std::uint16_t>(t));
    ForEachPolygon([this](const PolygonRecord& p) {
        WriteRecord(16, [&p](std::uint8_t* faces) -> std::size_t {
            const auto a = static_cast<std::uint16_t>(p.index[0]);
            const auto c = static_cast<std::uint16_t>(p.index[2]);
            PutU16LE(faces, a);
            PutU16LE(faces + 2, static_cast<std::uint16_t>(p.index[1]));
            PutU16LE(faces + 4, c);
            PutU16LE(faces + 6, kFaceFlags);
            if (p.count == 3)
                return 8;
            // The quad's second half (c, d, a): the diagonal a-c stays hidden in both.
            PutU16LE(faces + 8, c);
            PutU16LE(faces + 10, static_cast<std::uint16_t>(p.index[3]));
            PutU16LE(faces + 12, a);
            PutU16LE(faces + 14, kFaceFlags);
            return 16;
        });
    });
    // Every face in smoothing group 1.
    WriteChunkHeader(0x4150, 6 + 4 * t);
    WriteRecords(t, 4, [](std::size_t, std::uint8_t* group) { PutU32LE(group, 1); });
}

void TdsWriter::PatchLengths() {
    const std::uint32_t mesh = 14 * static_cast<std::uint32_t>(PointCount()) + 12 * triangles_;
    std::uint8_t bytes[4];
    PutU32LE(bytes, static_cast<std::uint32_t>(kTdsHeaderSize + kTdsFooterSize) + 99 + mesh);
    PatchBytes(kMainLengthOffset, bytes);
    PutU32LE(bytes, static_cast<std::uint32_t>(kTdsHeaderSize - 16 + 99) + mesh);
    PatchBytes(kMeshDataLengthOffset, bytes);
}
