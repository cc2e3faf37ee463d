// The files of the golden cases, written by the native core from the same INI text the
// plug-in starts from. Run with QM_UPDATE_GOLDEN=1 to write them anew (then check them with
// the structure and reader tests, and the Wine test compares the plug-in's files with them).

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "tests/plugin/export/ExportHarness.h"
#include "tests/support/GoldenCases.h"

namespace {

std::string GoldenPath(const char* file) {
    return std::string(QM_SOURCE_DIR) + "/tests/data/export/" + file;
}

TEST(PluginGolden, TheCoreWritesTheKeptFiles) {
    TempFolder dir;
    for (const GoldenCase& golden : kGoldenCases) {
        MeshSettings settings{};
        RememberedSettings remembered{};
        std::int16_t orient = 0;
        LoadParameters(IniFile(golden.ini), settings, remembered, orient);
        TestMesh mesh(kGoldenRows, kGoldenCols, GoldenPicture(), settings);
        const std::string path = dir.File(golden.file);
        ASSERT_EQ(ExportTo(mesh, mesh.settings.DiskFormat, path), ExportOutcome::Written);
        if (std::getenv("QM_UPDATE_GOLDEN"))
            std::filesystem::copy_file(path, GoldenPath(golden.file),
                                       std::filesystem::copy_options::overwrite_existing);
        EXPECT_EQ(ReadBytes(path), ReadBytes(GoldenPath(golden.file))) << golden.file;
    }
}

} // namespace
