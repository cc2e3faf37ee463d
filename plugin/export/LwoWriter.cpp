#include "plugin/export/LwoWriter.h"

#include "plugin/export/ByteOrder.h"

namespace {

constexpr char kFilter[] = "LWO Files (*.lwo)\0*.lwo\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargestIndexable = 65535;
constexpr std::uint16_t kSurface = 1; // the first name of SRFS
constexpr std::uint32_t kFormLengthOffset = 4;

} // namespace

LwoWriter::LwoWriter(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services)
    : MeshWriter(kFilter, settings, buffers, services) {}

bool LwoWriter::Accepts() {
    return PointCount() <= kLargestIndexable;
}

void LwoWriter::WriteCounted(const void* data, std::size_t size) {
    WriteBytes(data, size);
    formLength_ += static_cast<std::uint32_t>(size);
}

void LwoWriter::WriteCountedU32(std::uint32_t value) {
    std::uint8_t bytes[4];
    PutU32BE(bytes, value);
    WriteCounted(bytes, sizeof bytes);
}

void LwoWriter::WriteBody() {
    WriteBytes("FORM\0\0\0\0", 8);
    formLength_ = 0;
    WriteCounted("LWOB", 4);
    WriteCounted("SRFS\0\0\0\2"
                 "0\0",
                 10);

    const auto points = static_cast<std::uint32_t>(PointCount());
    WriteCounted("PNTS", 4);
    WriteCountedU32(12 * points);
    // The mesh's Y axis is the file's Z axis and the other way round.
    WriteRecords(points, 12, [&](std::size_t i, std::uint8_t* xzy) {
        PutF32BE(xzy, X(i));
        PutF32BE(xzy + 4, Z(i));
        PutF32BE(xzy + 8, Y(i));
    });
    formLength_ += 12 * points;
    WritePolygons();
}

void LwoWriter::WritePolygons() {
    const std::size_t cells = std::size_t{CellRows()} * CellsPerRow();
    std::uint32_t corners = 0, polygons = 0;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        if (Polygon(cell).count >= 3) {
            corners += static_cast<std::uint32_t>(Polygon(cell).count);
            ++polygons;
        }
    }
    WriteCounted("POLS", 4);
    WriteCountedU32(2 * (corners + 2 * polygons));

    const std::int64_t total = 2 * std::int64_t{rows_} - 2;
    for (std::uint32_t row = 0; row < CellRows(); ++row) {
        ReportRow(rows_ - 1 + row, total);
        for (std::uint32_t col = 0; col < CellsPerRow(); ++col) {
            const PolygonRecord& p = Polygon(std::size_t{row} * CellsPerRow() + col);
            if (p.count < 3)
                continue;
            std::uint8_t polygon[12];
            PutU16BE(polygon, static_cast<std::uint16_t>(p.count));
            for (int k = 0; k < p.count; ++k)
                PutU16BE(polygon + 2 + 2 * k, static_cast<std::uint16_t>(p.index[k]));
            PutU16BE(polygon + 2 + 2 * p.count, kSurface);
            WriteCounted(polygon, 4 + 2 * static_cast<std::size_t>(p.count));
        }
    }
}

void LwoWriter::PatchLengths() {
    std::uint8_t bytes[4];
    PutU32BE(bytes, formLength_);
    PatchBytes(kFormLengthOffset, bytes);
}
