#include "plugin/export/TdsWriter.h"

#include <bit>

#include "common/LibraryGaps.h"
#include "plugin/export/ByteOrder.h"

namespace {

constexpr char kFilter[] = "3DS Files (*.3ds)\0*.3ds\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargest16 = 65535;
constexpr std::uint16_t kFaceFlags = 6;      // edges AB and BC visible, CA hidden
constexpr std::uint32_t kSmoothingGroup = 1; // every face in group 1

constexpr std::uint32_t kChunkHeaderSize = 6; // u16 id, u32 length
constexpr char kObjectName[] = "01";

// The object's local axes and origin, as twelve float bit patterns.
constexpr std::uint32_t kLocalAxes[12] = {
    0x3F800000, 0,          0,          //
    0,          0x3F800000, 0xA50D4000, //
    0,          0x250D4000, 0x3F800000, //
    0xBF0E3880, 0,          0x40938034,
};

// Chunk lengths, each with its own header; in 64 bits for a bound beyond the format.
template <class Count> constexpr Count VertexListLength(Count points) {
    return kChunkHeaderSize + 2 + 12 * points;
}
template <class Count> constexpr Count VertexFlagsLength(Count points) {
    return kChunkHeaderSize + 2 + 2 * points;
}
constexpr std::uint32_t kLocalAxesLength = kChunkHeaderSize + sizeof kLocalAxes;
template <class Count> constexpr Count SmoothingGroupsLength(Count triangles) {
    return kChunkHeaderSize + 4 * triangles;
}
template <class Count> constexpr Count FaceListLength(Count triangles) {
    return kChunkHeaderSize + 2 + 8 * triangles + SmoothingGroupsLength(triangles);
}
template <class Count> constexpr Count TriangleMeshLength(Count points, Count triangles) {
    return kChunkHeaderSize + VertexListLength(points) + VertexFlagsLength(points) +
           kLocalAxesLength + FaceListLength(triangles);
}
template <class Count> constexpr Count NamedObjectLength(Count points, Count triangles) {
    return kChunkHeaderSize + sizeof kObjectName + TriangleMeshLength(points, triangles);
}
static_assert(NamedObjectLength(9u, 8u) == 99 + 14 * 9 + 12 * 8);

// Where the two chunks of the header template whose lengths depend on the mesh start.
constexpr std::uint32_t kMainChunkOffset = 0;      // TdsChunk::kMain
constexpr std::uint32_t kMeshDataChunkOffset = 16; // TdsChunk::kMeshData
constexpr std::uint32_t kLengthField = 2;          // after the chunk's id

} // namespace

std::uint64_t TdsWriter::SizeBound(const MeshSettings& s) {
    const std::uint64_t points = GridPoints(s), cells = GridCells(s);
    return kTdsHeaderSize + NamedObjectLength(points, 2 * cells) + kTdsFooterSize;
}

TdsWriter::TdsWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                     const SinkSetup& sinkSetup, std::span<const std::uint8_t> header,
                     std::span<const std::uint8_t> footer)
    : MeshWriter(kFilter, settings, source, services, sinkSetup), header_(header), footer_(footer) {
}

bool TdsWriter::Accepts() {
    if (PointCount() > kLargest16)
        return false;
    // Every cell gives at most two triangles; count them only when that could be too many.
    const std::uint64_t cells = std::uint64_t{CellRows()} * CellsPerRow();
    return 2 * cells <= kLargest16 || Source().Tally().triangles <= kLargest16;
}

void TdsWriter::WriteChunkHeader(TdsChunk id, std::uint32_t length) {
    Sink().PutU16LE(static_cast<std::uint16_t>(id));
    Sink().PutU32LE(length);
}

void TdsWriter::WriteBody() {
    const auto v = static_cast<std::uint32_t>(PointCount());
    triangles_ = static_cast<std::uint32_t>(Source().Tally().triangles);
    ByteSink& out = Sink();

    out.PutBytes(header_.data(), header_.size());
    WriteChunkHeader(TdsChunk::kNamedObject, NamedObjectLength(v, triangles_));
    out.PutBytes(kObjectName, sizeof kObjectName);
    WriteChunkHeader(TdsChunk::kTriangleMesh, TriangleMeshLength(v, triangles_));

    WriteChunkHeader(TdsChunk::kVertexList, VertexListLength(v));
    out.PutU16LE(static_cast<std::uint16_t>(v));
    Source().ForEachPointRow([&](std::uint32_t, const PointRow& points) {
        out.PutRecords(PointsPerRow(), 12, [&](std::size_t i, std::uint8_t* xyz) {
            StoreF32LE(xyz, points.x[i]);
            StoreF32LE(xyz + 4, points.y[i]);
            StoreF32LE(xyz + 8, points.z[i]);
        });
    });

    WriteChunkHeader(TdsChunk::kVertexFlags, VertexFlagsLength(v));
    out.PutU16LE(static_cast<std::uint16_t>(v));
    out.PutRecords(v, 2, [](std::size_t, std::uint8_t* flags) { StoreU16LE(flags, 0); });

    WriteChunkHeader(TdsChunk::kLocalAxes, kLocalAxesLength);
    for (std::uint32_t bits : kLocalAxes)
        out.PutF32LE(BitCast<float>(bits));

    WriteFaceList();
    out.PutBytes(footer_.data(), footer_.size());
}

void TdsWriter::WriteFaceList() {
    const std::uint32_t t = triangles_;
    ByteSink& out = Sink();
    WriteChunkHeader(TdsChunk::kFaceList, FaceListLength(t));
    out.PutU16LE(static_cast<std::uint16_t>(t));
    ForEachPolygon([&out](const PolygonRecord& p) {
        out.PutRecord(16, [&p](std::uint8_t* faces) -> std::size_t {
            const auto a = static_cast<std::uint16_t>(p.index[0]);
            const auto c = static_cast<std::uint16_t>(p.index[2]);
            StoreU16LE(faces, a);
            StoreU16LE(faces + 2, static_cast<std::uint16_t>(p.index[1]));
            StoreU16LE(faces + 4, c);
            StoreU16LE(faces + 6, kFaceFlags);
            if (p.count == 3)
                return 8;
            // The quad's second half (c, d, a): the diagonal a-c stays hidden in both.
            StoreU16LE(faces + 8, c);
            StoreU16LE(faces + 10, static_cast<std::uint16_t>(p.index[3]));
            StoreU16LE(faces + 12, a);
            StoreU16LE(faces + 14, kFaceFlags);
            return 16;
        });
    });
    WriteChunkHeader(TdsChunk::kSmoothingGroups, SmoothingGroupsLength(t));
    out.PutRecords(t, 4,
                   [](std::size_t, std::uint8_t* group) { StoreU32LE(group, kSmoothingGroup); });
}

void TdsWriter::PatchLengths() {
    const std::uint32_t object =
        NamedObjectLength(static_cast<std::uint32_t>(PointCount()), triangles_);
    const auto header = static_cast<std::uint32_t>(kTdsHeaderSize);
    const auto footer = static_cast<std::uint32_t>(kTdsFooterSize);
    Sink().PatchU32LE(kMainChunkOffset + kLengthField, header + object + footer);
    Sink().PatchU32LE(kMeshDataChunkOffset + kLengthField, header - kMeshDataChunkOffset + object);
}
