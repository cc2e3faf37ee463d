// What the user and the disk see when an export is cancelled, cannot create its file, or
// fails while writing.

#include "tests/plugin/export/ExportHarness.h"

namespace {

struct Scripted {
    ExportOutcome Run(TestMesh& mesh, std::int32_t format) {
        mesh.settings.DiskFormat = format;
        ExportServices services{chooser, file, progress, messages, resources};
        return ExportMesh(mesh.settings, mesh.buffers, services);
    }
    FixedPathChooser chooser{"scripted.out"};
    MemoryOutputFile file;
    RecordingProgress progress;
    RecordingMessages messages;
    EmbeddedResources resources;
};

// A mesh big enough to need several buffers in every format.
TestMesh BigMesh() {
    std::mt19937 rng(5);
    return TestMesh(60, 80, RandomGrays(60 * 80, rng, 0, 200), DefaultSettings(kCylindrical));
}

void ExpectWriteFailureShown(const RecordingMessages& messages) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kWriteFailedText);
    EXPECT_EQ(messages.shown[0].caption, "ERROR!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
}

TEST(WriteFailure, NothingReachesTheFileAfterTheFirstFailedWrite) {
    for (std::int32_t format = kNxmDxf; format <= kLwo; ++format) {
        TestMesh mesh = BigMesh();
        Scripted run;
        run.file.failAtWrite = 2;
        EXPECT_EQ(run.Run(mesh, format), ExportOutcome::WriteFailed) << format;
        EXPECT_EQ(run.file.writes.size(), 2u) << format;
        EXPECT_EQ(run.file.patches, 0) << "a failed file is not patched, format " << format;
        EXPECT_EQ(run.file.closes, 1);
        EXPECT_TRUE(run.file.discarded);
        ExpectWriteFailureShown(run.messages);
    }
}

TEST(WriteFailure, AFailedLengthPatchCountsAsAFailedWrite) {
    for (std::int32_t format : {kTds, kCob, kLwo}) {
        TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
        Scripted run;
        run.file.failPatch = true;
        EXPECT_EQ(run.Run(mesh, format), ExportOutcome::WriteFailed) << format;
        EXPECT_EQ(run.file.patches, 1) << "nothing more is patched after a failed patch";
        EXPECT_EQ(run.file.closes, 1);
        EXPECT_TRUE(run.file.discarded);
        ExpectWriteFailureShown(run.messages);
    }
}

TEST(WriteFailure, AFailedCloseCountsAsAFailedWrite) {
    TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
    Scripted run;
    run.file.failClose = true;
    EXPECT_EQ(run.Run(mesh, kCob), ExportOutcome::WriteFailed);
    EXPECT_TRUE(run.file.discarded);
    ExpectWriteFailureShown(run.messages);
}

TEST(WriteFailure, FullDeviceKeepsTheLinkAndTheDevice) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempFolder dir;
    // Written through a link: the link and the device both stay.
    const std::string path = dir.File("full.3ds");
    std::filesystem::create_symlink("/dev/full", path);
    RecordingMessages messages;
    RecordingProgress progress;
    TestMesh small(20, 20, Filled(400, 50), DefaultSettings(kRectangular));
    EXPECT_EQ(ExportTo(small, kLwo, path, messages, progress), ExportOutcome::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    ExpectWriteFailureShown(messages);
}

TEST(SaveChoice, CancelWritesNothingAndSaysNothing) {
    for (std::int32_t format = kNxmDxf; format <= kLwo; ++format) {
        TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
        mesh.settings.DiskFormat = format;
        CancellingChooser chooser;
        MemoryOutputFile file;
        RecordingProgress progress;
        RecordingMessages messages;
        EmbeddedResources resources;
        ExportServices services{chooser, file, progress, messages, resources};
        EXPECT_EQ(ExportMesh(mesh.settings, mesh.buffers, services), ExportOutcome::Cancelled);
        EXPECT_EQ(chooser.asked, 1);
        EXPECT_TRUE(file.created.empty());
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(progress.calls.empty());
        // The points are untouched: the export stopped before the polygon list.
        EXPECT_FLOAT_EQ(mesh.buffers.pointZ[0], 248 * 25.0f / 256);
    }
}

TEST(SaveChoice, EachFormatOffersItsFilterAndAllFiles) {
    const std::pair<std::int32_t, std::string> expected[] = {
        {kNxmDxf, std::string("DXF Files (*.dxf)\0*.dxf\0AllFiles (*.*)\0*.*\0\0", 44)},
        {kPolylineDxf, std::string("DXF Files (*.dxf)\0*.dxf\0AllFiles (*.*)\0*.*\0\0", 44)},
        {kTds, std::string("3DS Files (*.3ds)\0*.3ds\0AllFiles (*.*)\0*.*\0\0", 44)},
        {kCob, std::string("COB Files (*.cob)\0*.cob\0AllFiles (*.*)\0*.*\0\0", 44)},
        {kLwo, std::string("LWO Files (*.lwo)\0*.lwo\0AllFiles (*.*)\0*.*\0\0", 44)},
    };
    for (const auto& [format, filter] : expected) {
        TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
        mesh.settings.DiskFormat = format;
        CancellingChooser chooser;
        MemoryOutputFile file;
        RecordingProgress progress;
        RecordingMessages messages;
        EmbeddedResources resources;
        ExportServices services{chooser, file, progress, messages, resources};
        ExportMesh(mesh.settings, mesh.buffers, services);
        ASSERT_NE(chooser.filter, nullptr);
        EXPECT_EQ(std::string(chooser.filter, filter.size()), filter);
    }
}

TEST(SaveChoice, AFileThatCannotBeCreatedIsReported) {
    TempFolder dir;
    TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
    RecordingMessages messages;
    RecordingProgress progress;
    const std::string path = dir.File("no-such-folder/mesh.dxf");
    EXPECT_EQ(ExportTo(mesh, kFaceDxf, path, messages, progress), ExportOutcome::CannotCreate);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Problem Creating File!");
    EXPECT_EQ(messages.shown[0].caption, "ERROR!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SaveChoice, AnExistingFileIsReplaced) {
    TempFolder dir;
    const std::string path = dir.File("old.lwo");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(5000, 'x');
    }
    TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
    ASSERT_EQ(ExportTo(mesh, kLwo, path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path).size(), 194u);
}

class NoResources final : public ResourceBytes {
  public:
    std::span<const std::uint8_t> Find(std::string_view) const override { return {}; }
};

TEST(SaveChoice, TdsWithoutItsTemplatesCreatesNothing) {
    TestMesh mesh(3, 3, Filled(9, 7), DefaultSettings(kRectangular));
    mesh.settings.DiskFormat = kTds;
    CancellingChooser chooser;
    MemoryOutputFile file;
    RecordingProgress progress;
    RecordingMessages messages;
    NoResources resources;
    ExportServices services{chooser, file, progress, messages, resources};
    EXPECT_EQ(ExportMesh(mesh.settings, mesh.buffers, services), ExportOutcome::CannotCreate);
    EXPECT_EQ(chooser.asked, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Problem Creating File!");
}

} // namespace
