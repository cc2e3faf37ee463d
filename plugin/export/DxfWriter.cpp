#include "plugin/export/DxfWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "plugin/export/DecimalText.h"
#include "plugin/export/SharedText.h"
#include "plugin/mesh/PointRows.h"

namespace {

constexpr char kFilter[] = "DXF Files (*.dxf)\0*.dxf\0AllFiles (*.*)\0*.*\0";
constexpr std::uint64_t kLargestDxfInteger = 32767;

// Texts are put together straight in the sink's buffer, a record at a time.
template <std::size_t N> char* Append(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

char* AppendReal(char* out, float value) {
    out += FormatFixed4(value, out);
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

// x, y, z of a point under the codes 10 + offset, 20 + offset, 30 + offset, each code
// right-aligned in three columns.
constexpr std::size_t kPointTextMax = 3 * (5 + kDecimalTextMax + 2);
char* AppendPoint(char* out, float x, float y, float z, int codeOffset) {
    const char digit = static_cast<char>('0' + codeOffset);
    const float values[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis) {
        const char code[] = {' ', static_cast<char>('1' + axis), digit, '\r', '\n'};
        std::memcpy(out, code, sizeof code);
        out = AppendReal(out + sizeof code, values[axis]);
    }
    return out;
}

template <class Fill> std::size_t Filled(std::uint8_t* record, Fill fill) {
    char* start = reinterpret_cast<char*>(record);
    return static_cast<std::size_t>(fill(start) - start);
}

constexpr char kVertex[] = "0\r\nVERTEX\r\n8\r\n0\r\n";
constexpr char kFace[] = "0\r\n3DFACE\r\n8\r\n0\r\n";
constexpr char kMeshVertexFlags[] = " 70\r\n     64\r\n";
constexpr char kPolyfaceVertexFlags[] = "70\r\n192\r\n";
constexpr char kPolyfaceFace[] =
    "0\r\nVERTEX\r\n8\r\n0\r\n10\r\n0\r\n20\r\n0\r\n30\r\n0\r\n70\r\n128\r\n";
constexpr char kCornerCodes[4][5] = {"71\r\n", "72\r\n", "73\r\n", "74\r\n"};
// The section, polyline, end-of-sequence and end-of-file texts and the two counts, together.
constexpr std::uint64_t kFixedTextBound = 256;

template <std::size_t N>
void PutVertex(ByteSink& sink, float x, float y, float z, const char (&flags)[N]) {
    static_assert(sizeof kVertex + kPointTextMax + N <= ByteSink::kLargestRecord);
    sink.PutRecord(sizeof kVertex + kPointTextMax + N, [&](std::uint8_t* record) {
        return Filled(record, [&](char* out) {
            return Append(AppendPoint(Append(out, kVertex), x, y, z, 0), flags);
        });
    });
}

// corners: x, y, z of the four corners (a triangle's third one twice).
void PutFace(ByteSink& sink, const float* corners) {
    static_assert(sizeof kFace + 4 * kPointTextMax <= ByteSink::kLargestRecord);
    sink.PutRecord(sizeof kFace + 4 * kPointTextMax, [&](std::uint8_t* record) {
        return Filled(record, [&](char* out) {
            out = Append(out, kFace);
            for (int k = 0; k < 4; ++k)
                out = AppendPoint(out, corners[3 * k], corners[3 * k + 1], corners[3 * k + 2], k);
            return out;
        });
    });
}

// x, y, z of a polygon's four corners as a 3D face holds them.
void FaceCorners(const CellRow& cells, const PolygonRecord& polygon, float* corners) {
    for (int k = 0; k < 4; ++k) {
        // A triangle repeats its third corner as the fourth.
        const CornerPoint p = cells.Corner(polygon.index[k < 3 || polygon.count == 4 ? k : 2]);
        corners[3 * k] = p.x;
        corners[3 * k + 1] = p.y;
        corners[3 * k + 2] = p.z;
    }
}

// Corner numbers gathered for a block of 3D faces a second thread may put together: 1024
// faces, some 200 KB of text.
constexpr std::size_t kValuesPerBlock = 12 * 1024;

} // namespace

std::uint64_t DxfWriter::SizeBound(const MeshSettings& s) {
    char text[kDecimalTextMax];
    const std::uint64_t number = FormatFixed4(-static_cast<float>(PointReach(s)), text);
    const std::uint64_t point = 3 * (5 + number + 2); // see AppendPoint
    const std::uint64_t points = GridPoints(s), cells = GridCells(s);
    switch (s.DiskFormat) {
    case kNxmDxf:
        return kFixedTextBound +
               points * (sizeof kVertex - 1 + point + sizeof kMeshVertexFlags - 1);
    case kPolylineDxf: {
        // Corner numbers run from 1 to the point count.
        const std::uint64_t corner =
            4 +
            FormatInteger(static_cast<std::int32_t>(std::min<std::uint64_t>(points, INT32_MAX)),
                          text) +
            2;
        return kFixedTextBound +
               points * (sizeof kVertex - 1 + point + sizeof kPolyfaceVertexFlags - 1) +
               cells * (sizeof kPolyfaceFace - 1 + 4 * corner);
    }
    default:
        return kFixedTextBound + cells * (sizeof kFace - 1 + 4 * point);
    }
}

DxfWriter::DxfWriter(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                     const SinkSetup& sinkSetup)
    : MeshWriter(kFilter, settings, source, services, sinkSetup), flavour_(settings.DiskFormat) {}

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

// A second thread does not pay here: the vertex texts are short next to the work of
// gathering their numbers for it (measured the same with two threads, slower under load).
template <std::size_t N>
void DxfWriter::WriteVertices(const char (&flags)[N], std::int64_t progressStart,
                              std::int64_t progressTotal) {
    Source().ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        ReportRow(progressStart + row, progressTotal);
        for (std::uint32_t col = 0; col < PointsPerRow(); ++col)
            PutVertex(Sink(), points.x[col], points.y[col], points.z[col], flags);
    });
}

void DxfWriter::WriteNxmMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n10\r\n0.0\r\n20\r\n0.0\r\n30\r\n0.0\r\n"
              "70\r\n16\r\n71\r\n");
    WriteInteger(Rows());
    WriteText("72\r\n");
    WriteInteger(static_cast<std::int32_t>(PointsPerRow()));
    WriteVertices(kMeshVertexFlags, Rows() - 1, 2 * std::int64_t{Rows()} - 2);
    WriteText("0\r\nSEQEND\r\n");
}

void DxfWriter::WriteFaces() {
    float corners[12];
    if (!SharesText()) {
        ForEachCellRow([&](const CellRow& cells) {
            for (const PolygonRecord& polygon : cells.polygons) {
                FaceCorners(cells, polygon, corners);
                PutFace(Sink(), corners);
            }
        });
        return;
    }
    SharedText text(Sink());
    std::vector<float> values;
    const auto pass = [&] {
        text.Add([block = std::move(values)](ByteSink& sink) {
            for (std::size_t i = 0; i < block.size(); i += 12)
                PutFace(sink, block.data() + i);
        });
        values = {};
    };
    ForEachCellRow([&](const CellRow& cells) {
        for (const PolygonRecord& polygon : cells.polygons) {
            FaceCorners(cells, polygon, corners);
            values.insert(values.end(), corners, corners + 12);
        }
        if (values.size() >= kValuesPerBlock)
            pass();
    });
    pass();
    text.Finish();
}

void DxfWriter::WritePolyfaceMesh() {
    WriteText("0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n70\r\n64\r\n71\r\n");
    WriteInteger(static_cast<std::int32_t>(PointCount()));
    WriteText("72\r\n");
    WriteInteger(static_cast<std::int32_t>(Source().Tally().faces));
    const std::int64_t total = 4 * std::int64_t{Rows()} - 4;
    WriteVertices(kPolyfaceVertexFlags, 2 * std::int64_t{Rows()} - 2, total);
    Source().ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        ReportRow(3 * std::int64_t{Rows()} - 3 + row, total);
        for (const PolygonRecord& polygon : cells.polygons) {
            WriteText(kPolyfaceFace);
            for (int k = 0; k < polygon.count; ++k) {
                Sink().PutBytes(kCornerCodes[k], 4);
                WriteInteger(polygon.index[k] + 1);
            }
        }
    });
    WriteText("0\r\nSEQEND\r\n");
}
