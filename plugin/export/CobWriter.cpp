#include "plugin/export/CobWriter.h"

#include <limits>

#include "plugin/export/ByteOrder.h"
#include "plugin/mesh/BuildPolygonList.h"

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

} // namespace

CobWriter::CobWriter(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services)
    : MeshWriter(kFilter, settings, buffers, services) {}

bool CobWriter::Accepts() {
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t cells = std::uint64_t{CellRows()} * CellsPerRow();
    if (ObjectSize(PointCount(), cells, 4 * cells) <= limit)
        return true;
    const PolygonTally tally = TallyPolygons(settings(), buffers());
    return ObjectSize(PointCount(), tally.faces, tally.cornerCount) <= limit;
}

void CobWriter::WriteChunkHeader(const char (&type)[5], std::uint16_t major, std::uint16_t minor,
                                 std::uint32_t id, std::uint32_t parent, std::uint32_t size) {
    WriteBytes(type, 4);
    WriteU16LE(major);
    WriteU16LE(minor);
    WriteU32LE(id);
    WriteU32LE(parent);
    WriteU32LE(size);
}

void CobWriter::WriteBody() {
    WriteBytes(kFileHeader, 32);
    WriteChunkHeader("PolH", 0, 2, kObjectId, 0, 0);
    const std::uint64_t objectStart = Position();
    WriteObjectHead();
    WritePoints();
    WriteTextureCoordinates();
    WriteFaces();
    polygonDataSize_ = static_cast<std::uint32_t>(Position() - objectStart);
    WriteMaterial();
    WriteChunkHeader("END ", 1, 0, 0, 0, 0);
}

void CobWriter::WriteObjectHead() {
    const std::uint8_t name[8] = {0, 0, 4, 0, 'Q', 'M', 'S', 'H'};
    WriteBytes(name, sizeof name);
    // Centre, then the X, Y and Z axes.
    const float axes[12] = {0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 1, 0};
    for (float value : axes)
        WriteF32LE(value);
    const float s = settings().ModelScale * 0.1f;
    const float position[12] = {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0};
    for (float value : position)
        WriteF32LE(value);
}

void CobWriter::WritePoints() {
    const std::uint64_t count = PointCount();
    WriteU32LE(static_cast<std::uint32_t>(count));
    WriteRecords(count, 12, [&](std::size_t i, std::uint8_t* xyz) {
        PutF32LE(xyz, X(i));
        PutF32LE(xyz + 4, Y(i));
        PutF32LE(xyz + 8, Z(i));
    });
}

// u runs 0 -> 1 along a row, v 1 -> 0 down the rows, both summed in single precision.
// A single row or column keeps its coordinate instead of dividing by zero.
void CobWriter::WriteTextureCoordinates() {
    WriteU32LE(static_cast<std::uint32_t>(PointCount()));
    const float uStep = pointsPerRow_ > 1 ? 1.0f / static_cast<float>(pointsPerRow_ - 1) : 0.0f;
    const float vStep = rows_ > 1 ? 1.0f / static_cast<float>(rows_ - 1) : 0.0f;
    float v = 1.0f;
    for (std::uint32_t row = 0; row < rows_; ++row) {
        float u = 0.0f;
        WriteRecords(pointsPerRow_, 8, [&](std::size_t, std::uint8_t* uv) {
            PutF32LE(uv, u);
            PutF32LE(uv + 4, v);
            u += uStep;
        });
        v -= vStep;
    }
}

void CobWriter::WriteFaces() {
    WriteU32LE(static_cast<std::uint32_t>(faceCount_));
    ForEachPolygon([this](const PolygonRecord& p) {
        // Flags, corner count, material; then (point, texture coordinate) per corner.
        WriteRecord(5 + 8 * 4, [&p](std::uint8_t* face) -> std::size_t {
            face[0] = 0;
            PutU16LE(face + 1, static_cast<std::uint16_t>(p.count));
            PutU16LE(face + 3, 0);
            // All four corners go in; a triangle's size leaves the fourth out.
            for (int k = 0; k < 4; ++k) {
                PutU32LE(face + 5 + 8 * k, static_cast<std::uint32_t>(p.index[k]));
                PutU32LE(face + 9 + 8 * k, static_cast<std::uint32_t>(p.index[k]));
            }
            return 5 + 8 * static_cast<std::size_t>(p.count);
        });
    });
}

void CobWriter::WriteMaterial() {
    WriteChunkHeader("Mat1", 0, 5, kMaterialId, kObjectId, 37);
    // Material 0, phong shader, automatic facetting at 40 degrees.
    const std::uint8_t head[5] = {0, 0, 'p', 'a', 40};
    WriteBytes(head, sizeof head);
    // Colour, opacity, ambient, specular, highlight exponent, refraction index.
    for (float value : {0.75f, 0.75f, 0.75f, 1.0f, 0.25f, 0.0f, 0.0f, 1.0f})
        WriteF32LE(value);
}

void CobWriter::PatchLengths() {
    std::uint8_t bytes[4];
    PutU32LE(bytes, polygonDataSize_);
    PatchBytes(kObjectSizeOffset, bytes);
}
