// Worked figures of the formats for a 3 x 3 Rectangular grid (nine points, four quads).

#include <bit>
#include <cmath>
#include <cstring>

#include "tests/plugin/export/ExportHarness.h"

namespace {

class ThreeByThree : public ::testing::Test {
  protected:
    std::vector<std::uint8_t> Write(std::int32_t format) {
        const std::string path = dir.File("mesh.out");
        EXPECT_EQ(ExportTo(mesh, format, path), ExportOutcome::Written);
        return ReadBytes(path);
    }
    std::string WriteText(std::int32_t format) {
        const auto bytes = Write(format);
        return {bytes.begin(), bytes.end()};
    }

    TempFolder dir;
    TestMesh mesh{3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, DefaultSettings(kRectangular)};
};

TEST_F(ThreeByThree, TdsIs1458BytesWithBothLengthsPatched) {
    const auto file = Write(kTds);
    ASSERT_EQ(file.size(), 1458u);
    EXPECT_EQ(U32LE(file, 2), 1458u);
    EXPECT_EQ(U32LE(file, 18), 923u);
    // The templates enclose the mesh object unchanged.
    EmbeddedResources resources;
    const auto header = resources.Find("TdsHdr");
    const auto footer = resources.Find("TdsFtr");
    EXPECT_TRUE(std::equal(header.begin() + 22, header.end(), file.begin() + 22));
    EXPECT_TRUE(std::equal(footer.begin(), footer.end(), file.end() - 519));
    // V = 9, T = 8: named object 99 + 126 + 96 at offset 618, vertex count, face count.
    EXPECT_EQ(U16LE(file, 618), 0x4000);
    EXPECT_EQ(U32LE(file, 620), 321u);
    EXPECT_EQ(std::string(file.begin() + 624, file.begin() + 627), std::string("01\0", 3));
    EXPECT_EQ(U16LE(file, 627 + 6 + 6), 9);
}

TEST_F(ThreeByThree, TdsQuadsSplitAlongTheHiddenDiagonal) {
    const auto file = Write(kTds);
    // Faces follow the vertex list (8 + 108), flags (8 + 18) and axes (54).
    const std::size_t faces = 627 + 6 + 116 + 26 + 54;
    ASSERT_EQ(U16LE(file, faces), 0x4120);
    EXPECT_EQ(U32LE(file, faces + 2), 14u + 12 * 8);
    EXPECT_EQ(U16LE(file, faces + 6), 8);
    const std::uint16_t expected[] = {0, 1, 4, 6, 4, 3, 0, 6}; // (a, b, c) and (c, d, a)
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(U16LE(file, faces + 8 + 2 * i), expected[i]) << i;
    const std::size_t smoothing = faces + 8 + 64;
    EXPECT_EQ(U16LE(file, smoothing), 0x4150);
    EXPECT_EQ(U32LE(file, smoothing + 2), 6u + 4 * 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(U32LE(file, smoothing + 6 + 4 * i), 1u);
}

TEST_F(ThreeByThree, CobIs573BytesWithTheObjectSizeAt48) {
    const auto file = Write(kCob);
    ASSERT_EQ(file.size(), 573u);
    EXPECT_EQ(U32LE(file, 48), 444u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 32), "Caligari V00.01BLH             \n");
    EXPECT_EQ(std::string(file.begin() + 32, file.begin() + 36), "PolH");
    EXPECT_EQ(U32LE(file, 40), 1934u);
    // The scale matrix holds ModelScale * 0.1 on its diagonal.
    const std::size_t matrix = 52 + 8 + 48;
    EXPECT_EQ(U32LE(file, matrix), 0x3DCCCCCDu);
    EXPECT_EQ(U32LE(file, matrix + 20), 0x3DCCCCCDu);
    EXPECT_EQ(U32LE(file, matrix + 40), 0x3DCCCCCDu);
    EXPECT_EQ(std::string(file.end() - 77, file.end() - 73), "Mat1");
    EXPECT_EQ(std::string(file.end() - 20, file.end() - 16), "END ");
}

TEST_F(ThreeByThree, CobTextureRunsFromTopLeftToBottomRight) {
    const auto file = Write(kCob);
    const std::size_t uv = 52 + 104 + 4 + 108 + 4;
    auto at = [&](std::size_t i) { return std::bit_cast<float>(U32LE(file, uv + 4 * i)); };
    EXPECT_EQ(at(0), 0.0f);
    EXPECT_EQ(at(1), 1.0f);
    EXPECT_EQ(at(2), 0.5f);
    EXPECT_NEAR(at(4), 1.0f, 1e-6);
    EXPECT_NEAR(at(17), 0.0f, 1e-6); // last row, v
    // The first face: flags 0, four corners, material 0, equal point and texture indices.
    const std::size_t face = uv + 72 + 4;
    EXPECT_EQ(file[face], 0);
    EXPECT_EQ(U16LE(file, face + 1), 4);
    EXPECT_EQ(U16LE(file, face + 3), 0);
    const std::uint32_t corners[] = {0, 1, 4, 3};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(U32LE(file, face + 5 + 8 * k), corners[k]);
        EXPECT_EQ(U32LE(file, face + 9 + 8 * k), corners[k]);
    }
}

TEST_F(ThreeByThree, LwoIs194BytesWithFormLength186) {
    const auto file = Write(kLwo);
    ASSERT_EQ(file.size(), 194u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "FORM");
    EXPECT_EQ(U32BE(file, 4), 186u);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 22), std::string("LWOBSRFS\0\0\0\2"
                                                                            "0\0",
                                                                            14));
    EXPECT_EQ(std::string(file.begin() + 22, file.begin() + 26), "PNTS");
    EXPECT_EQ(U32BE(file, 26), 108u);
    EXPECT_EQ(std::string(file.begin() + 138, file.begin() + 142), "POLS");
    EXPECT_EQ(U32BE(file, 142), 48u);
    // Points go out as (x, z, y): the file's second value is the mesh's height.
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(std::bit_cast<float>(U32BE(file, 30 + 12 * i)), mesh.buffers.pointX[i]);
        EXPECT_EQ(std::bit_cast<float>(U32BE(file, 34 + 12 * i)), mesh.buffers.pointZ[i]);
        EXPECT_EQ(std::bit_cast<float>(U32BE(file, 38 + 12 * i)), mesh.buffers.pointY[i]);
    }
    const std::uint16_t first[] = {4, 0, 1, 4, 3, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(U16BE(file, 146 + 2 * i), first[i]);
}

TEST_F(ThreeByThree, NxmDxfListsEveryPointAsAPaddedVertex) {
    const auto lines = Lines(WriteText(kNxmDxf));
    const std::vector<std::string> head = {
        "0",   "SECTION", "2",   "ENTITIES", "0",   "POLYLINE", "8",  "0",  "66", "1",  "10",
        "0.0", "20",      "0.0", "30",       "0.0", "70",       "16", "71", "3",  "72", "3"};
    ASSERT_GT(lines.size(), head.size() + 9 * 12);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 22), head);
    // Point 0 at (-33.3333, 33.3333, z) with z = 25 - (255 - 10) * 25 / 256.
    const std::vector<std::string> vertex = {"0",   "VERTEX",  "8",   "0",      " 10", "-33.3333",
                                             " 20", "33.3333", " 30", "1.0742", " 70", "     64"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 22, lines.begin() + 34), vertex);
    EXPECT_EQ(lines[22 + 12 * 4 + 5], "0.0000"); // the centre point
    EXPECT_EQ(lines[22 + 12 * 9], "0");
    EXPECT_EQ(lines[22 + 12 * 9 + 1], "SEQEND");
    EXPECT_EQ(lines.size(), 22u + 12 * 9 + 2 + 6);
}

TEST(DxfFrame, EveryFlavourEndsWithTheSameSixLines) {
    TempFolder dir;
    for (std::int32_t format : {kNxmDxf, kFaceDxf, kPolylineDxf}) {
        TestMesh mesh(3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, DefaultSettings(kRectangular));
        const std::string path = dir.File("frame.dxf");
        ASSERT_EQ(ExportTo(mesh, format, path), ExportOutcome::Written);
        const auto lines = Lines(ReadText(path));
        ASSERT_GE(lines.size(), 10u);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
                  (std::vector<std::string>{"0", "SECTION", "2", "ENTITIES"}));
        EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()),
                  (std::vector<std::string>{"8", "0", "0", "ENDSEC", "0", "EOF"}))
            << format;
    }
}

TEST_F(ThreeByThree, PolyfaceMeshCountsFromOne) {
    const auto lines = Lines(WriteText(kPolylineDxf));
    const std::vector<std::string> head = {"0",  "POLYLINE", "8",  "0", "66", "1",
                                           "70", "64",       "71", "9", "72", "4"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 16), head);
    const std::size_t vertex = 16;
    EXPECT_EQ(lines[vertex + 10], "70");
    EXPECT_EQ(lines[vertex + 11], "192");
    const std::size_t face = vertex + 9 * 12;
    const std::vector<std::string> first = {"0",  "VERTEX", "8",  "0",  "10",  "0",  "20",
                                            "0",  "30",     "0",  "70", "128", "71", "1",
                                            "72", "2",      "73", "5",  "74",  "4"};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + face, lines.begin() + face + 20), first);
}

} // namespace

namespace {

using Calls = std::vector<std::pair<std::int32_t, std::int32_t>>;

Calls ProgressOf(std::int32_t format) {
    TempFolder dir;
    TestMesh mesh(3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, DefaultSettings(kRectangular));
    RecordingMessages messages;
    RecordingProgress progress;
    EXPECT_EQ(ExportTo(mesh, format, dir.File("progress.out"), messages, progress),
              ExportOutcome::Written);
    return progress.calls;
}

TEST(ExportProgress, RowsContinueFromThePolygonList) {
    EXPECT_EQ(ProgressOf(kNxmDxf), (Calls{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_EQ(ProgressOf(kFaceDxf), (Calls{{0, 4}, {1, 4}, {2, 4}, {3, 4}}));
    // The polyface mesh counts its two later phases out of 4 * rows - 4.
    EXPECT_EQ(ProgressOf(kPolylineDxf),
              (Calls{{0, 4}, {1, 4}, {4, 8}, {5, 8}, {6, 8}, {6, 8}, {7, 8}}));
    for (std::int32_t format : {kTds, kCob, kLwo})
        EXPECT_EQ(ProgressOf(format), (Calls{{0, 4}, {1, 4}, {2, 4}, {3, 4}})) << format;
}

TEST(DxfFaces, ATrianglesFourthCornerRepeatsItsThird) {
    TempFolder dir;
    MeshSettings s = DefaultSettings(kRectangular);
    s.BlackHoles = 1;
    // Point 4 is black: every cell loses one corner.
    TestMesh mesh(3, 3, {10, 20, 30, 40, 0, 60, 70, 80, 90}, s);
    const std::string path = dir.File("faces.dxf");
    ASSERT_EQ(ExportTo(mesh, kFaceDxf, path), ExportOutcome::Written);
    const auto lines = Lines(ReadText(path));
    int faces = 0;
    for (std::size_t i = 0; i + 28 <= lines.size(); ++i) {
        if (lines[i] != "3DFACE")
            continue;
        ++faces;
        // 8/0, then 10, 20, 30, 11, ..., 33 each with its value.
        EXPECT_EQ(lines[i + 3 + 2 * 6], " 12");
        EXPECT_EQ(lines[i + 3 + 2 * 9], " 13");
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_EQ(lines[i + 3 + 2 * (9 + axis) + 1], lines[i + 3 + 2 * (6 + axis) + 1]);
    }
    EXPECT_EQ(faces, 4);
}

TEST(DxfFaces, PolyfaceWithHolesCountsOnlyItsFaceRecords) {
    TempFolder dir;
    MeshSettings s = DefaultSettings(kRectangular);
    s.BlackHoles = 1;
    // Points 0 and 5 are black: three cells lose a corner, none vanishes.
    TestMesh mesh(3, 3, {0, 20, 30, 40, 50, 0, 70, 80, 90}, s);
    const std::string path = dir.File("holes.dxf");
    ASSERT_EQ(ExportTo(mesh, kPolylineDxf, path), ExportOutcome::Written);
    const auto lines = Lines(ReadText(path));
    ASSERT_EQ(lines[14], "72");
    int records = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "70" && lines[i + 1] == "128")
            ++records;
        if (lines[i] == "71" || lines[i] == "72" || lines[i] == "73" || lines[i] == "74") {
            EXPECT_NE(lines[i + 1], "0") << "line " << i;
        }
    }
    EXPECT_EQ(std::to_string(records), lines[15]);
    EXPECT_EQ(records, 4); // three triangles and one quad
}

TEST(DxfFaces, ThePoleKeepsTheSignOfMinusZero) {
    TempFolder dir;
    TestMesh mesh(4, 4, Filled(16, 128), DefaultSettings(kSpherical));
    const std::string path = dir.File("sphere.dxf");
    ASSERT_EQ(ExportTo(mesh, kNxmDxf, path), ExportOutcome::Written);
    const auto lines = Lines(ReadText(path));
    // Point 1 of the top row: x = -r * sin(theta) * 0 is -0.0.
    const std::size_t point1 = 22 + 12;
    EXPECT_EQ(lines[point1 + 4], " 10");
    EXPECT_EQ(std::signbit(mesh.buffers.pointX[1]), true);
    EXPECT_EQ(lines[point1 + 5], "-0.0000");
}

} // namespace
