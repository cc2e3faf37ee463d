// Files of many output buffers: every point and polygon record, wherever a buffer boundary
// cuts it, holds exactly the mesh's values (compared with encodings written here).

#include <bit>
#include <cstring>

#include "tests/plugin/export/ExportHarness.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, std::uint32_t value, int size, bool bigEndian) {
    for (int k = 0; k < size; ++k) {
        const int shift = 8 * (bigEndian ? size - 1 - k : k);
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendFloat(Bytes& out, float value, bool bigEndian) {
    Append(out, std::bit_cast<std::uint32_t>(value), 4, bigEndian);
}

struct Written {
    Bytes file;
    Bytes points;   // the point records the file should hold
    Bytes polygons; // the polygon records, in the format's layout
};

// A 150 x 150 Rectangular mesh with black holes (triangles and dropped cells among the
// quads): over 16 buffers of points alone.
Written Write(std::int32_t format, std::uint32_t seed) {
    std::mt19937 rng(seed);
    MeshSettings s = DefaultSettings(kRectangular);
    s.BlackHoles = 1;
    TestMesh mesh(150, 150, RandomGrays(150 * 150, rng, 9, 200), s);
    Written w{ExportBytes(mesh, format), {}, {}};
    const MeshBuffers& b = mesh.buffers;
    const bool lwo = format == kLwo;
    for (std::size_t i = 0; i < mesh.Points(); ++i) {
        AppendFloat(w.points, b.pointX[i], lwo);
        AppendFloat(w.points, lwo ? b.pointZ[i] : b.pointY[i], lwo);
        AppendFloat(w.points, lwo ? b.pointY[i] : b.pointZ[i], lwo);
    }
    for (std::size_t cell = 0; cell < mesh.Cells(); ++cell) {
        const PolygonRecord& p = b.polygonBlock[cell].record;
        if (p.count != 3 && p.count != 4)
            continue;
        const auto index = [&](int k) { return static_cast<std::uint32_t>(p.index[k]); };
        if (format == kTds) {
            for (std::uint32_t v : {index(0), index(1), index(2), 6u})
                Append(w.polygons, v, 2, false);
            if (p.count == 4)
                for (std::uint32_t v : {index(2), index(3), index(0), 6u})
                    Append(w.polygons, v, 2, false);
        } else if (format == kCob) {
            Append(w.polygons, 0, 1, false);
            Append(w.polygons, static_cast<std::uint32_t>(p.count), 2, false);
            Append(w.polygons, 0, 2, false);
            for (int k = 0; k < p.count; ++k) {
                Append(w.polygons, index(k), 4, false);
                Append(w.polygons, index(k), 4, false);
            }
        } else {
            Append(w.polygons, static_cast<std::uint32_t>(p.count), 2, true);
            for (int k = 0; k < p.count; ++k)
                Append(w.polygons, index(k), 2, true);
            Append(w.polygons, 1, 2, true);
        }
    }
    return w;
}

void ExpectAt(const Bytes& file, std::size_t at, const Bytes& expected, const char* what) {
    ASSERT_LE(at + expected.size(), file.size()) << what;
    EXPECT_EQ(std::memcmp(file.data() + at, expected.data(), expected.size()), 0) << what;
}

TEST(BufferBoundaries, TdsRecordsHoldTheMesh) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const Written w = Write(kTds, seed);
        ASSERT_GT(w.file.size(), 16 * kOutputBufferSize);
        // Header, mesh chunks, point count; then the flags, the local axes, the face chunk.
        const std::size_t points = 618 + 6 + 3 + 6 + 6 + 2;
        ExpectAt(w.file, points, w.points, "points");
        const std::size_t faces = points + w.points.size() + 6 + 2 + w.points.size() / 6 + 54 + 8;
        ExpectAt(w.file, faces, w.polygons, "faces");
    }
}

TEST(BufferBoundaries, CobRecordsHoldTheMesh) {
    for (std::uint32_t seed : {4u, 5u, 6u}) {
        const Written w = Write(kCob, seed);
        // File and chunk headers, name, axes and position, point count.
        const std::size_t points = 32 + 20 + 8 + 48 + 48 + 4;
        ExpectAt(w.file, points, w.points, "points");
        const std::size_t faces = points + w.points.size() + 4 + 2 * w.points.size() / 3 + 4;
        ExpectAt(w.file, faces, w.polygons, "faces");
    }
}

TEST(BufferBoundaries, LwoRecordsHoldTheMesh) {
    for (std::uint32_t seed : {7u, 8u, 9u}) {
        const Written w = Write(kLwo, seed);
        const std::size_t points = 12 + 10 + 8;
        ExpectAt(w.file, points, w.points, "points");
        ExpectAt(w.file, points + w.points.size() + 8, w.polygons, "polygons");
    }
}

} // namespace
