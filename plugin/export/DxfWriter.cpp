#include "plugin/export/DxfWriter.h"

#include "plugin/export/DecimalText.h"

namespace {

constexpr char kFilter[] = "DXF Files (*.dxf)\0*.dxf\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargestDxfInteger = 32767;

} // namespace

DxfWriter::DxfWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                     std::span<std::uint8_t> outputBuffer)
    : MeshWriter(kFilter, settings, source, services, outputBuffer), flavour_(settings.DiskFormat) {
}

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
void DxfWriter::WritePoint(float x, float y, float z, int codeOffset) {
    const char digit = static_cast<char>('0' + codeOffset);
    const char xCode[] = {' ', '1', digit, '\r', '\n'};
    const char yCode[] = {' ', '2', digit, '\r', '\n'};
    const char zCode[] = {' ', '3', digit, '\r', '\n'};
    Sink().PutBytes(xCode, sizeof xCode);
    WriteReal(x);
    Sink().PutBytes(yCode, sizeof yCode);
    WriteReal(y);
    Sink().PutBytes(zCode, sizeof zCode);
    WriteReal(z);
}

// Every point as a VERTEX with the given flags, a point row per progress step.
void DxfWriter::WriteVertices(const char* flags, std::size_t flagsSize, std::int64_t progressStart,
                              std::int64_t progressTotal) {
    Source().ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        ReportRow(progressStart + row, progressTotal);
        for (std::uint32_t col = 0; col < PointsPerRow(); ++col) {
            WriteText("0\r\nVERTEX\r\n8\r\n0\r\n");
            WritePoint(points.x[col], points.y[col], points.z[col], 0);
            Sink().PutBytes(flags, flagsSize);
        }
    });
}

void DxfWriter::WriteNxmMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n10\r\n0.0\r\n20\r\n0.0\r\n30\r\n0.0\r\n"
              "70\r\n16\r\n71\r\n");
    WriteInteger(Rows());
    WriteText("72\r\n");
    WriteInteger(static_cast<std::int32_t>(PointsPerRow()));
    static constexpr char kFlags[] = " 70\r\n     64\r\n";
    WriteVertices(kFlags, sizeof kFlags - 1, Rows() - 1, 2 * std::int64_t{Rows()} - 2);
    WriteText("0\r\nSEQEND\r\n");
}

void DxfWriter::WriteFaces() {
    ForEachCellRow([&](const CellRow& cells) {
        for (const PolygonRecord& polygon : cells.polygons) {
            WriteText("0\r\n3DFACE\r\n8\r\n0\r\n");
            for (int k = 0; k < 4; ++k) {
                // A triangle repeats its third corner as the fourth.
                const CornerPoint p =
                    cells.Corner(polygon.index[k < 3 || polygon.count == 4 ? k : 2]);
                WritePoint(p.x, p.y, p.z, k);
            }
        }
    });
}

void DxfWriter::WritePolyfaceMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n70\r\n64\r\n71\r\n");
    WriteInteger(static_cast<std::int32_t>(PointCount()));
    WriteText("72\r\n");
    WriteInteger(static_cast<std::int32_t>(Source().Tally().faces));
    const std::int64_t total = 4 * std::int64_t{Rows()} - 4;
    static constexpr char kFlags[] = "70\r\n192\r\n";
    WriteVertices(kFlags, sizeof kFlags - 1, 2 * std::int64_t{Rows()} - 2, total);
    Source().ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        ReportRow(3 * std::int64_t{Rows()} - 3 + row, total);
        for (const PolygonRecord& polygon : cells.polygons) {
            WriteText("0\r\nVERTEX\r\n8\r\n0\r\n10\r\n0\r\n20\r\n0\r\n30\r\n0\r\n70\r\n128\r\n");
            static constexpr char kCornerCodes[4][5] = {"71\r\n", "72\r\n", "73\r\n", "74\r\n"};
            for (int k = 0; k < polygon.count; ++k) {
                Sink().PutBytes(kCornerCodes[k], 4);
                WriteInteger(polygon.index[k] + 1);
            }
        }
    });
    WriteText("0\r\nSEQEND\r\n");
}
