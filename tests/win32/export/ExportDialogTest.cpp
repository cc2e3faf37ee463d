// The plug-in writes its mesh through the real save dialog under Wine: for every golden
// case the file on disk equals the file the native core writes (tests/data/export).
// Usage: win32_export_test <path of quorms32.8be> <folder of the golden files>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/GoldenCases.h"
#include "tests/win32/export/SaveDialogFiller.h"
#include "tests/win32/support/FilterDialogDriver.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OutputFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qm-export-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct Run {
    std::int16_t result;
    int progressCalls;
    std::vector<SeenDialog> seen;
};

Run ExportOnce(const std::string& module, const char* ini, SaveDialogFiller& filler,
               std::optional<std::string> path) {
    const std::vector<std::uint8_t> picture = GoldenPicture();
    WriteWindowsIni(ini);
    filler.Choose(std::move(path));
    const int progressBefore = PluginHost::ProgressCalls();
    PluginHost host(module);
    QM_CHECK(host.Loaded());
    host.SetImage(kGoldenRows, kGoldenCols, picture.data(), kGoldenCols);
    Run run{host.RunExport(), PluginHost::ProgressCalls() - progressBefore, filler.TakeSeen()};
    // The save dialog belongs to the host window (its overwrite question to the dialog).
    for (const SeenDialog& dialog : run.seen)
        QM_CHECK(!dialog.isSaveDialog || dialog.owner == host.Window());
    RemoveWindowsIni();
    return run;
}

void EveryCaseMatchesTheCore(const std::string& module, const std::string& goldenFolder,
                             SaveDialogFiller& filler) {
    const std::string folder = OutputFolder();
    for (const GoldenCase& golden : kGoldenCases) {
        const std::string path = folder + "\\" + golden.file;
        DeleteFileA(path.c_str());
        const Run run = ExportOnce(module, golden.ini, filler, path);
        QM_CHECK_EQ(run.result, 0);
        QM_CHECK(run.progressCalls > 0);
        QM_CHECK_EQ(run.seen.size(), 1u);
        if (!run.seen.empty()) {
            QM_CHECK(run.seen[0].isSaveDialog);
            QM_CHECK(run.seen[0].hasHelpButton);
        }
        const std::vector<char> written = ReadFile(path);
        const std::vector<char> expected = ReadFile(WindowsPath(goldenFolder + "/" + golden.file));
        QM_CHECK(!expected.empty());
        if (written != expected)
            std::printf("%s: %zu bytes written, %zu expected\n", golden.file, written.size(),
                        expected.size());
        QM_CHECK(written == expected);
        DeleteFileA(path.c_str());
    }
}

void CancelWritesNothing(const std::string& module, SaveDialogFiller& filler) {
    const std::string path = OutputFolder() + "\\cancelled.lwo";
    DeleteFileA(path.c_str());
    const Run run = ExportOnce(module, kGoldenCases[5].ini, filler, std::nullopt);
    QM_CHECK_EQ(run.result, 0);
    QM_CHECK_EQ(run.seen.size(), 1u);
    QM_CHECK(!Exists(path));
}

void AnExistingFileIsReplacedAfterTheQuestion(const std::string& module, SaveDialogFiller& filler) {
    const std::string path = OutputFolder() + "\\existing.lwo";
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(3000, 'x');
    }
    const Run run = ExportOnce(module, kGoldenCases[5].ini, filler, path);
    QM_CHECK_EQ(run.result, 0);
    // The save dialog, then its overwrite question, answered Yes.
    QM_CHECK_EQ(run.seen.size(), 2u);
    QM_CHECK(ReadFile(path).size() != 3000u);
    QM_CHECK_EQ(ReadFile(path).size(), 1746u);
    DeleteFileA(path.c_str());
}

void AMeshTooBigForTheFormatIsRefusedBeforeTheDialog(const std::string& module,
                                                     SaveDialogFiller& filler) {
    // 256 x 256 points cannot be numbered in an LWO file.
    const std::vector<std::uint8_t> picture(256 * 256, 90);
    WriteWindowsIni("[QUORVMESH]\r\nMeshtype=0\r\nDiskFormat=6\r\nMeshRes=1\r\n");
    filler.Choose(OutputFolder() + "\\refused.lwo");
    PluginHost host(module);
    host.SetImage(256, 256, picture.data(), 256);
    QM_CHECK_EQ(host.RunExport(), 0);
    const std::vector<SeenDialog> seen = filler.TakeSeen();
    QM_CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        QM_CHECK(!seen[0].isSaveDialog);
        QM_CHECK_EQ(seen[0].caption, "File Error.");
        QM_CHECK_EQ(seen[0].text, "This file format cannot accomodate this many verticies.");
        QM_CHECK(seen[0].owner == host.Window());
    }
    QM_CHECK(!Exists(OutputFolder() + "\\refused.lwo"));
    RemoveWindowsIni();
}

// A progress procedure that calls back into the plug-in while continue runs, once.
PluginHost* callingBack = nullptr;
std::vector<std::int16_t> callBackResults;
void __cdecl CallBackIntoThePlugin(std::int32_t, std::int32_t) {
    if (!callingBack)
        return;
    PluginHost& host = *callingBack;
    callingBack = nullptr;
    for (const std::int32_t selector :
         {exportSelectorFinish, exportSelectorPrepare, exportSelectorAbout})
        callBackResults.push_back(host.Call(selector));
}

// Calls that arrive while another runs are refused; the running export goes on to write
// the file it would have written.
void ACallFromInsideARunIsRefused(const std::string& module, const std::string& goldenFolder,
                                  SaveDialogFiller& filler) {
    const GoldenCase& golden = kGoldenCases[5];
    const std::string path = OutputFolder() + "\\" + golden.file;
    DeleteFileA(path.c_str());
    const std::vector<std::uint8_t> picture = GoldenPicture();
    WriteWindowsIni(golden.ini);
    filler.Choose(path);
    PluginHost host(module);
    host.SetImage(kGoldenRows, kGoldenCols, picture.data(), kGoldenCols);
    host.Record().progressProc = CallBackIntoThePlugin;
    callingBack = &host;
    QM_CHECK_EQ(host.RunExport(), 0);
    QM_CHECK_EQ(host.DataWord(), 0);
    QM_CHECK_EQ(callBackResults.size(), 3u);
    for (const std::int16_t result : callBackResults)
        QM_CHECK_EQ(result, exportBadParameters);
    QM_CHECK_EQ(filler.TakeSeen().size(), 1u); // the save dialog, no About box
    QM_CHECK(ReadFile(path) == ReadFile(WindowsPath(goldenFolder + "/" + golden.file)));
    DeleteFileA(path.c_str());
    RemoveWindowsIni();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: win32_export_test <quorms32.8be> <golden folder>\n");
        return 2;
    }
    // The filter dialog comes first: confirmed as a user does.
    FilterDialogDriver driver;
    SaveDialogFiller filler;
    EveryCaseMatchesTheCore(argv[1], argv[2], filler);
    CancelWritesNothing(argv[1], filler);
    AnExistingFileIsReplacedAfterTheQuestion(argv[1], filler);
    AMeshTooBigForTheFormatIsRefusedBeforeTheDialog(argv[1], filler);
    ACallFromInsideARunIsRefused(argv[1], argv[2], filler);
    return Tally().Finish();
}
