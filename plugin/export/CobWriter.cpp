#include "plugin/export/CobWriter.h"

#include <limits>

#include "plugin/export/ByteOrder.h"

namespace {

constexpr char kFilter[] = "COB Files (*.cob)\0*.cob\0AllFiles (*.*)\0*.*\0";
constexpr char kFileHeader[] = "Caligari V00.01BLH             \n";
static_assert(sizeof kFileHeader - 1 == 32);
constexpr std::uint32_t kObjectId = 1934;
constexpr std::uint32_t kMaterialId = 1933;
constexpr std::uint32_t kObjectSizeOffset = 48;

// Object data size: fixed part, per point, per face, per corner.
constexpr std::uint64_t kObjectFixedBytes = 116;
constexpr std::uint64_t kBytesPerPoint = 20;
constexpr std::uint64_t kBytesPerFace = 5;
constexpr std::uint64_t kBytesPerCorner = 8;

std::uint64_t ObjectSize(std::uint64_t points, std::uint64_t faces, std::uint64_t corners) {
    return kObjectFixedBytes + kBytesPerPoint * points + kBytesPerFace * faces +
           kBytesPerCorner * corners;
}

// Around the object: the file header, the chunk headers of the object, the material and
// the end, and the material's data.
constexpr std::uint64_t kChunkHeaderSize = 20;
constexpr std::uint64_t kMaterialSize = 37;
constexpr std::uint64_t kBytesBesideObject =
    sizeof kFileHeader - 1 + 3 * kChunkHeaderSize + kMaterialSize;

} // namespace

std::uint64_t CobWriter::SizeBound(const MeshSettings& s) {
    const std::uint64_t points = GridPoints(s), cells = GridCells(s);
    return kBytesBesideObject + ObjectSize(points, cells, 4 * cells);
}

CobWriter::CobWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                     const SinkSetup& sinkSetup)
    : MeshWriter(kFilter, settings, source, services, sinkSetup) {}

bool CobWriter::Accepts() {
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t cells = std::uint64_t{CellRows()} * CellsPerRow();
    if (ObjectSize(PointCount(), cells, 4 * cells) <= limit)
        return true;
    const PolygonTally tally = Source().Tally();
    return ObjectSize(PointCount(), tally.faces, tally.cornerCount) <= limit;
}

void CobWriter::WriteChunkHeader(const char (&type)[5], std::uint16_t major, std::uint16_t minor,
                                 std::uint32_t id, std::uint32_t parent, std::uint32_t size) {
    ByteSink& out = Sink();
    out.PutBytes(type, 4);
    out.PutU16LE(major);
    out.PutU16LE(minor);
    out.PutU32LE(id);
    out.PutU32LE(parent);
    out.PutU32LE(size);
}

void CobWriter::WriteBody() {
    Sink().PutBytes(kFileHeader, 32);
    WriteChunkHeader("PolH", 0, 2, kObjectId, 0, 0);
    const std::uint64_t objectStart = Sink().Position();
    WriteObjectHead();
    WritePoints();
    WriteTextureCoordinates();
    WriteFaces();
    polygonDataSize_ = static_cast<std::uint32_t>(Sink().Position() - objectStart);
    WriteMaterial();
    WriteChunkHeader("END ", 1, 0, 0, 0, 0);
}

void CobWriter::WriteObjectHead() {
    ByteSink& out = Sink();
    const std::uint8_t name[8] = {0, 0, 4, 0, 'Q', 'M', 'S', 'H'};
    out.PutBytes(name, sizeof name);
    // Centre, then the X, Y and Z axes.
    const float axes[12] = {0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 1, 0};
    for (float value : axes)
        out.PutF32LE(value);
    const float s = Settings().ModelScale * 0.1f;
    const float position[12] = {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0};
    for (float value : position)
        out.PutF32LE(value);
}

void CobWriter::WritePoints() {
    Sink().PutU32LE(static_cast<std::uint32_t>(PointCount()));
    Source().ForEachPointRow([&](std::uint32_t, const PointRow& points) {
        Sink().PutRecords(PointsPerRow(), 12, [&](std::size_t i, std::uint8_t* xyz) {
            StoreF32LE(xyz, points.x[i]);
            StoreF32LE(xyz + 4, points.y[i]);
            StoreF32LE(xyz + 8, points.z[i]);
        });
    });
}

// u runs 0 -> 1 along a row, v 1 -> 0 down the rows, both summed in single precision.
// A single row or column keeps its coordinate instead of dividing by zero.
void CobWriter::WriteTextureCoordinates() {
    ByteSink& out = Sink();
    out.PutU32LE(static_cast<std::uint32_t>(PointCount()));
    const std::uint32_t perRow = PointsPerRow();
    const std::uint16_t rows = Rows();
    const float uStep = perRow > 1 ? 1.0f / static_cast<float>(perRow - 1) : 0.0f;
    const float vStep = rows > 1 ? 1.0f / static_cast<float>(rows - 1) : 0.0f;
    float v = 1.0f;
    for (std::uint32_t row = 0; row < rows; ++row) {
        float u = 0.0f;
        out.PutRecords(perRow, 8, [&](std::size_t, std::uint8_t* uv) {
            StoreF32LE(uv, u);
            StoreF32LE(uv + 4, v);
            u += uStep;
        });
        v -= vStep;
    }
}

void CobWriter::WriteFaces() {
    ByteSink& out = Sink();
    // The count is known once the faces are written and patched in then; only a mesh at the
    // very limit of the format has it beyond a 32-bit file offset, and is counted first.
    faceCountOffset_ = out.Position();
    out.PutU32LE(FaceCountPatched() ? 0 : static_cast<std::uint32_t>(Source().Tally().faces));
    faces_ = 0;
    ForEachPolygon([this, &out](const PolygonRecord& p) {
        ++faces_;
        // Flags, corner count, material; then (point, texture coordinate) per corner.
        out.PutRecord(5 + 8 * 4, [&p](std::uint8_t* face) -> std::size_t {
            face[0] = 0;
            StoreU16LE(face + 1, static_cast<std::uint16_t>(p.count));
            StoreU16LE(face + 3, 0);
            // All four corners go in; a triangle's size leaves the fourth out.
            for (int k = 0; k < 4; ++k) {
                StoreU32LE(face + 5 + 8 * k, static_cast<std::uint32_t>(p.index[k]));
                StoreU32LE(face + 9 + 8 * k, static_cast<std::uint32_t>(p.index[k]));
            }
            return 5 + 8 * static_cast<std::size_t>(p.count);
        });
    });
}

void CobWriter::WriteMaterial() {
    WriteChunkHeader("Mat1", 0, 5, kMaterialId, kObjectId, kMaterialSize);
    // Material 0, phong shader, automatic facetting at 40 degrees.
    const std::uint8_t head[5] = {0, 0, 'p', 'a', 40};
    Sink().PutBytes(head, sizeof head);
    // Colour, opacity, ambient, specular, highlight exponent, refraction index.
    for (float value : {0.75f, 0.75f, 0.75f, 1.0f, 0.25f, 0.0f, 0.0f, 1.0f})
        Sink().PutF32LE(value);
}

void CobWriter::PatchLengths() {
    Sink().PatchU32LE(kObjectSizeOffset, polygonDataSize_);
    if (FaceCountPatched())
        Sink().PatchU32LE(static_cast<std::uint32_t>(faceCountOffset_), faces_);
}
