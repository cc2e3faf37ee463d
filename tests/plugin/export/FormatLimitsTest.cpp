// Meshes a format cannot index are refused before the save dialog, with the 3DS writer's box.

#include "tests/plugin/export/ExportHarness.h"

namespace {

struct Attempt {
    ExportOutcome outcome;
    bool fileWritten;
    std::vector<ShownMessage> shown;
};

Attempt Try(std::int32_t format, std::int32_t meshType, std::uint16_t rows, std::uint16_t cols,
            std::uint8_t gray = 100, bool blackHoles = false) {
    MeshSettings s = DefaultSettings(meshType);
    s.BlackHoles = blackHoles;
    TestMesh mesh(rows, cols, Filled(std::size_t{rows} * cols, gray), s);
    MemoryOutputFile file;
    RecordingMessages messages;
    RecordingProgress progress;
    const ExportOutcome outcome = ExportTo(mesh, format, file, "limit.out", messages, progress);
    return {outcome, !file.created.empty() && !file.discarded, messages.shown};
}

void ExpectRefused(const Attempt& a) {
    EXPECT_EQ(a.outcome, ExportOutcome::RefusedByLimit);
    EXPECT_FALSE(a.fileWritten);
    ASSERT_EQ(a.shown.size(), 1u);
    EXPECT_EQ(a.shown[0].text, "This file format cannot accomodate this many verticies.");
    EXPECT_EQ(a.shown[0].caption, "File Error.");
    EXPECT_EQ(a.shown[0].icon, MessageIcon::Exclamation);
}

void ExpectWritten(const Attempt& a) {
    EXPECT_EQ(a.outcome, ExportOutcome::Written);
    EXPECT_TRUE(a.fileWritten);
    EXPECT_TRUE(a.shown.empty());
}

TEST(FormatLimits, TdsTakesUpTo65535Points) {
    // All black with black holes: no faces, so only the point count matters.
    ExpectWritten(Try(kTds, kRectangular, 255, 257, 0, true));
    ExpectRefused(Try(kTds, kRectangular, 256, 256, 0, true));
}

TEST(FormatLimits, TdsTakesUpTo65535Triangles) {
    // 200 x 200 points: 39601 quads are 79202 triangles.
    ExpectRefused(Try(kTds, kRectangular, 200, 200));
    // 182 x 182: 32761 quads, 65522 triangles.
    ExpectWritten(Try(kTds, kRectangular, 182, 182));
}

TEST(FormatLimits, LwoIndexesUpTo65535Points) {
    ExpectWritten(Try(kLwo, kRectangular, 255, 257));
    ExpectRefused(Try(kLwo, kRectangular, 256, 256));
    ExpectRefused(Try(kLwo, kCylindrical, 256, 255)); // the seam column counts
}

TEST(FormatLimits, NxmDxfCountsUpTo32767PerDirection) {
    ExpectWritten(Try(kNxmDxf, kRectangular, 2, 32767));
    ExpectRefused(Try(kNxmDxf, kRectangular, 2, 32768));
    ExpectRefused(Try(kNxmDxf, kSpherical, 2, 32767));
    ExpectRefused(Try(kNxmDxf, kRectangular, 32768, 1));
}

TEST(FormatLimits, PolylineDxfNumbersUpTo32767Points) {
    ExpectWritten(Try(kPolylineDxf, kRectangular, 1, 32767));
    ExpectRefused(Try(kPolylineDxf, kRectangular, 1, 32768));
    ExpectRefused(Try(kPolylineDxf, kRectangular, 200, 200));
}

TEST(FormatLimits, FaceDxfAndCobHaveNoSmallLimit) {
    ExpectWritten(Try(kFaceDxf, kRectangular, 300, 300));
    ExpectWritten(Try(kCob, kRectangular, 300, 300));
}

} // namespace
