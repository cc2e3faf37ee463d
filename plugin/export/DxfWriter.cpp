#include "plugin/export/DxfWriter.h"

#include "plugin/export/DecimalText.h"

namespace {

constexpr char kFilter[] = "DXF Files (*.dxf)\0*.dxf\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargestDxfInteger = 32767;

} // namespace

DxfWriter::DxfWriter(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services)
    : MeshWriter(kFilter, settings, buffers, services), flavour_(settings.DiskFormat) {}

bool DxfWriter::Accepts() {
    if (flavour_ == kNxmDxf)
        return Rows() <= kLargestDxfInteger && PointsPerRow() <= kLargestDxfInteger;
    if (flavour_ == kPolylineDxf)
        return PointCount() <= kLargestDxfInteger;
    return true;
}

void DxfWriter::WriteBody() {
    WriteText("0\r\nSECTION\r\n2\r\nENTITIES\r\n");
    if (flavour_ == kNxmDxf)
        WriteNxmMesh();
    else if (flavour_ == kPolylineDxf)
        WritePolyfaceMesh();
    else
        WriteFaces();
    WriteText("8\r\n0\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
}

void DxfWriter::WriteInteger(std::int32_t value) {
    char text[kDecimalTextMax + 2];
    std::size_t size = FormatInteger(value, text);
    text[size++] = '\r';
    text[size++] = '\n';
    Sink().PutBytes(text, size);
}

void DxfWriter::WriteReal(float value) {
    char text[kDecimalTextMax + 2];
    std::size_t size = FormatFixed4(value, text);
    text[size++] = '\r';
    text[size++] = '\n';
    Sink().PutBytes(text, size);
}

// x, y, z of a point under the codes 10 + offset, 20 + offset, 30 + offset, each code
// right-aligned in three columns.
void DxfWriter::WritePoint(std::size_t point, int codeOffset) {
    const char digit = static_cast<char>('0' + codeOffset);
    const char xCode[] = {' ', '1', digit, '\r', '\n'};
    const char yCode[] = {' ', '2', digit, '\r', '\n'};
    const char zCode[] = {' ', '3', digit, '\r', '\n'};
    Sink().PutBytes(xCode, sizeof xCode);
    WriteReal(X(point));
    Sink().PutBytes(yCode, sizeof yCode);
    WriteReal(Y(point));
    Sink().PutBytes(zCode, sizeof zCode);
    WriteReal(Z(point));
}

void DxfWriter::WriteNxmMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n10\r\n0.0\r\n20\r\n0.0\r\n30\r\n0.0\r\n"
              "70\r\n16\r\n71\r\n");
    WriteInteger(Rows());
    WriteText("72\r\n");
    WriteInteger(static_cast<std::int32_t>(PointsPerRow()));
    const std::int64_t total = 2 * std::int64_t{Rows()} - 2;
    for (std::uint32_t row = 0; row < Rows(); ++row) {
        ReportRow(Rows() - 1 + row, total);
        for (std::uint32_t col = 0; col < PointsPerRow(); ++col) {
            WriteText("0\r\nVERTEX\r\n8\r\n0\r\n");
            WritePoint(std::size_t{row} * PointsPerRow() + col, 0);
            WriteText(" 70\r\n     64\r\n");
        }
    }
    WriteText("0\r\nSEQEND\r\n");
}

void DxfWriter::WriteFaces() {
    const std::int64_t total = 2 * std::int64_t{Rows()} - 2;
    for (std::uint32_t row = 0; row < CellRows(); ++row) {
        ReportRow(Rows() - 1 + row, total);
        for (std::uint32_t col = 0; col < CellsPerRow(); ++col) {
            const PolygonRecord& polygon = Polygon(std::size_t{row} * CellsPerRow() + col);
            if (polygon.count == 0)
                continue;
            WriteText("0\r\n3DFACE\r\n8\r\n0\r\n");
            for (int k = 0; k < 3; ++k)
                WritePoint(polygon.index[k], k);
            WritePoint(polygon.index[polygon.count == 4 ? 3 : 2], 3);
        }
    }
}

void DxfWriter::WritePolyfaceMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n70\r\n64\r\n71\r\n");
    WriteInteger(static_cast<std::int32_t>(PointCount()));
    WriteText("72\r\n");
    WriteInteger(FaceCount());
    const std::int64_t total = 4 * std::int64_t{Rows()} - 4;
    for (std::uint32_t row = 0; row < Rows(); ++row) {
        ReportRow(2 * std::int64_t{Rows()} - 2 + row, total);
        for (std::uint32_t col = 0; col < PointsPerRow(); ++col) {
            WriteText("0\r\nVERTEX\r\n8\r\n0\r\n");
            WritePoint(std::size_t{row} * PointsPerRow() + col, 0);
            WriteText("70\r\n192\r\n");
        }
    }
    for (std::uint32_t row = 0; row < CellRows(); ++row) {
        ReportRow(3 * std::int64_t{Rows()} - 3 + row, total);
        for (std::uint32_t col = 0; col < CellsPerRow(); ++col) {
            const PolygonRecord& polygon = Polygon(std::size_t{row} * CellsPerRow() + col);
            if (polygon.count == 0)
                continue;
            WriteText("0\r\nVERTEX\r\n8\r\n0\r\n10\r\n0\r\n20\r\n0\r\n30\r\n0\r\n70\r\n128\r\n");
            static constexpr char kCornerCodes[4][5] = {"71\r\n", "72\r\n", "73\r\n", "74\r\n"};
            for (int k = 0; k < polygon.count; ++k) {
                Sink().PutBytes(kCornerCodes[k], 4);
                WriteInteger(polygon.index[k] + 1);
            }
        }
    }
    WriteText("0\r\nSEQEND\r\n");
}
