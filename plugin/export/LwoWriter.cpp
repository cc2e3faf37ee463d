#include "plugin/export/LwoWriter.h"

#include "plugin/export/ByteOrder.h"

namespace {

constexpr char kFilter[] = "LWO Files (*.lwo)\0*.lwo\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargestIndexable = 65535;
constexpr std::uint16_t kSurface = 1; // the first name of SRFS
constexpr std::uint32_t kFormLengthOffset = 4;
constexpr char kHead[] = "FORM\0\0\0\0"
                         "LWOB"
                         "SRFS\0\0\0\2"
                         "0\0";
constexpr std::uint64_t kChunkHeaderSize = 8; // PNTS and POLS: id, length
constexpr std::uint64_t kPointSize = 12;
constexpr std::uint64_t kLargestPolygonSize = 12; // count, four corners, surface

} // namespace

std::uint64_t LwoWriter::SizeBound(const MeshSettings& s) {
    return sizeof kHead - 1 + 2 * kChunkHeaderSize + kPointSize * GridPoints(s) +
           kLargestPolygonSize * GridCells(s);
}

LwoWriter::LwoWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                     const SinkSetup& sinkSetup)
    : MeshWriter(kFilter, settings, source, services, sinkSetup) {}

bool LwoWriter::Accepts() {
    return PointCount() <= kLargestIndexable;
}

void LwoWriter::WriteBody() {
    ByteSink& out = Sink();
    out.PutBytes(kHead, sizeof kHead - 1);

    const auto points = static_cast<std::uint32_t>(PointCount());
    out.PutBytes("PNTS", 4);
    out.PutU32BE(12 * points);
    // The mesh's Y axis is the file's Z axis and the other way round.
    Source().ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        out.PutRecords(PointsPerRow(), kPointSize, [&](std::size_t i, std::uint8_t* xzy) {
            StoreF32BE(xzy, row.x[i]);
            StoreF32BE(xzy + 4, row.z[i]);
            StoreF32BE(xzy + 8, row.y[i]);
        });
    });
    WritePolygons();
}

void LwoWriter::WritePolygons() {
    const PolygonTally tally = Source().Tally();
    const auto corners = static_cast<std::uint32_t>(tally.cornerCount);
    const auto polygons = static_cast<std::uint32_t>(tally.faces);
    ByteSink& out = Sink();
    out.PutBytes("POLS", 4);
    out.PutU32BE(2 * (corners + 2 * polygons));
    ForEachPolygon([&out](const PolygonRecord& p) {
        out.PutRecord(kLargestPolygonSize, [&p](std::uint8_t* polygon) -> std::size_t {
            StoreU16BE(polygon, static_cast<std::uint16_t>(p.count));
            // All four corners go in; a triangle's surface then covers the fourth.
            for (int k = 0; k < 4; ++k)
                StoreU16BE(polygon + 2 + 2 * k, static_cast<std::uint16_t>(p.index[k]));
            StoreU16BE(polygon + 2 + 2 * p.count, kSurface);
            return 4 + 2 * static_cast<std::size_t>(p.count);
        });
    });
}

void LwoWriter::PatchLengths() {
    // Everything after the FORM length field.
    Sink().PatchU32BE(kFormLengthOffset, static_cast<std::uint32_t>(Sink().Position() - 8));
}
