// Meshes a format cannot index are refused before the save dialog, with the 3DS writer's box.

#include "plugin/export/FormatLimits.h"
#include "plugin/export/BufferMeshSource.h"
#include "tests/plugin/export/ExportHarness.h"

namespace {

struct Attempt {
    ExportOutcome outcome;
    bool fileWritten;
    std::vector<ShownMessage> shown;
};

// The verdict FitMesh gives the mesh Try would make.
FormatFit Fit(std::int32_t format, std::int32_t meshType, std::uint16_t rows, std::uint16_t cols,
              std::uint8_t gray = 100, bool blackHoles = false) {
    MeshSettings s = DefaultSettings(meshType);
    s.BlackHoles = blackHoles;
    TestMesh mesh(rows, cols, Filled(std::size_t{rows} * cols, gray), s);
    mesh.settings.DiskFormat = format;
    BufferMeshSource source(mesh.settings, mesh.buffers);
    return FitMesh(mesh.settings, source);
}

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

// The tool checks these limits itself, before the writer would: its verdicts must be the
// writers' own, on both sides of every limit.
TEST(FormatLimits, FitMeshAgreesWithTheWriters) {
    struct Case {
        std::int32_t format, meshType;
        std::uint16_t rows, cols;
        std::uint8_t gray;
        bool blackHoles;
    };
    const Case cases[] = {
        {kTds, kRectangular, 255, 257, 0, true},
        {kTds, kRectangular, 256, 256, 0, true},
        {kTds, kRectangular, 200, 200, 100, false},
        {kTds, kRectangular, 182, 182, 100, false},
        {kTds, kSpherical, 190, 180, 100, false},
        {kLwo, kRectangular, 255, 257, 100, false},
        {kLwo, kRectangular, 256, 256, 100, false},
        {kLwo, kCylindrical, 256, 255, 100, false},
        {kNxmDxf, kRectangular, 2, 32767, 100, false},
        {kNxmDxf, kRectangular, 2, 32768, 100, false},
        {kNxmDxf, kSpherical, 2, 32767, 100, false},
        {kPolylineDxf, kRectangular, 1, 32767, 100, false},
        {kPolylineDxf, kRectangular, 1, 32768, 100, false},
        {kFaceDxf, kRectangular, 300, 300, 100, false},
        {kCob, kRectangular, 300, 300, 100, false},
    };
    for (const Case& c : cases) {
        const Attempt attempt = Try(c.format, c.meshType, c.rows, c.cols, c.gray, c.blackHoles);
        const FormatFit fit = Fit(c.format, c.meshType, c.rows, c.cols, c.gray, c.blackHoles);
        EXPECT_NE(fit.verdict, FormatVerdict::kDependsOnPicture);
        EXPECT_EQ(fit.verdict == FormatVerdict::kFits, attempt.outcome == ExportOutcome::Written)
            << "format " << c.format << ", " << c.rows << " x " << c.cols;
    }
}

TEST(FormatLimits, TheGridDecidesWhatNoPictureChanges) {
    // Points are the shape's own: 3DS refuses a 4096 x 4096 grid at once.
    const FormatFit big = FitGrid(kTds, kRectangular, {4096, 4096});
    EXPECT_EQ(big.verdict, FormatVerdict::kTooLarge);
    EXPECT_EQ(big.kind, FormatLimitKind::kPoints);
    EXPECT_EQ(big.count, 4096u * 4096u);
    EXPECT_EQ(big.largest, 65535u);
    // Triangles depend on the holes and collapsed corners: only the points can tell.
    EXPECT_EQ(FitGrid(kTds, kRectangular, {200, 200}).verdict, FormatVerdict::kDependsOnPicture);
    EXPECT_EQ(FitGrid(kTds, kRectangular, {182, 182}).verdict, FormatVerdict::kFits);
    // The seam column counts.
    EXPECT_EQ(FitGrid(kLwo, kRectangular, {255, 257}).verdict, FormatVerdict::kFits);
    EXPECT_EQ(FitGrid(kLwo, kCylindrical, {255, 257}).verdict, FormatVerdict::kTooLarge);
    const FormatFit side = FitGrid(kNxmDxf, kSpherical, {2, 32767});
    EXPECT_EQ(side.verdict, FormatVerdict::kTooLarge);
    EXPECT_EQ(side.kind, FormatLimitKind::kGridSide);
    EXPECT_EQ(side.pointsPerRow, 32768u);
    EXPECT_EQ(FitGrid(kFaceDxf, kRectangular, {65535, 65535}).verdict, FormatVerdict::kFits);
    // A COB object over 4 GB: points alone decide it at the largest grid.
    EXPECT_EQ(FitGrid(kCob, kRectangular, {65535, 65535}).verdict, FormatVerdict::kTooLarge);
    EXPECT_EQ(FitGrid(kCob, kRectangular, {12000, 12000}).verdict,
              FormatVerdict::kDependsOnPicture);
}

TEST(FormatLimits, LargestFittingResolutionWalksDownTheList) {
    // LWO: 300 x 300 fits at 75 % (225 x 225); 3DS needs 50 % for the triangles.
    EXPECT_EQ(LargestFittingMeshRes(kLwo, kRectangular, 300, 300, 1), 2);
    EXPECT_EQ(LargestFittingMeshRes(kTds, kRectangular, 300, 300, 1), 4);
    EXPECT_EQ(LargestFittingMeshRes(kTds, kRectangular, 300, 300, 5), 5);
    EXPECT_EQ(LargestFittingMeshRes(kTds, kRectangular, 4096, 4096, 1), 0);
    EXPECT_EQ(LargestFittingMeshRes(kFaceDxf, kRectangular, 4096, 4096, 1), 1);
}

} // namespace
