// Drives the plug-in module through its selectors the way an export host does, under
// Wine, with a watcher thread answering its boxes.
// Usage: win32_plugin_run_test <path of quorms32.8be> <expected qmesh.ini of the last case>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "plugin/run/IniFile.h"
#include "tests/win32/support/BoxWatcher.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

const std::string kQuestion65535 =
    "This image will generate more than 65535\npolygons if sampled at 100%.\n\n"
    "Some programs may have trouble handling\na model this large.\n\n\n"
    "Proceed with current image?";

// A small gray image that any stage of the plug-in can read.
struct GrayImage {
    GrayImage(std::uint16_t r, std::uint16_t c) : rows(r), columns(c), pixels(std::size_t{r} * c) {
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint8_t>(i * 37);
    }
    std::uint16_t rows, columns;
    std::vector<std::uint8_t> pixels;
};

bool RectIs(const ExportRect& r, int top, int left, int bottom, int right) {
    return r.top == top && r.left == left && r.bottom == bottom && r.right == right;
}

void UnknownSelectorsAreRefused(PluginHost& host) {
    for (std::int32_t selector :
         {5, -1, 0x7FFF, static_cast<std::int32_t>(0x80000005u), 0x00010005}) {
        QM_CHECK_EQ(host.Call(selector), exportBadParameters);
        QM_CHECK_EQ(host.DataWord(), 0);
    }
    // Prepare with arbitrary high bits is still prepare: it keeps the block.
    QM_CHECK_EQ(host.Call(0x12340004), noErr);
    const std::intptr_t block = host.DataWord();
    QM_CHECK(block != 0);
    QM_CHECK_EQ(host.Call(static_cast<std::int32_t>(0xABCD0004u)), noErr);
    QM_CHECK_EQ(host.DataWord(), block); // the block is reused
    QM_CHECK_EQ(host.Call(0x5), exportBadParameters);
    QM_CHECK_EQ(host.DataWord(), 0);
    // A step that needs a record and gets none is refused the same way.
    QM_CHECK_EQ(host.CallWith(exportSelectorStart, nullptr), exportBadParameters);
    QM_CHECK_EQ(host.DataWord(), 0);
}

void WrongImageModeEndsTheRunAtStart(PluginHost& host, BoxWatcher& watcher) {
    GrayImage image(4, 4);
    host.SetImage(image.rows, image.columns, image.pixels.data(), image.columns);
    host.Record().imageMode = 3;
    QM_CHECK_EQ(host.RunExport(), exportBadMode);
    QM_CHECK_EQ(host.DataWord(), 0);
    QM_CHECK(watcher.TakeSeen().empty());
}

void CompleteRunRequestsTheImageAndReleasesEverything(PluginHost& host, BoxWatcher& watcher) {
    RemoveWindowsIni();
    GrayImage image(6, 5);
    host.SetImage(image.rows, image.columns, image.pixels.data(), image.columns);
    host.Record().loPlane = host.Record().hiPlane = 7;
    host.Record().dirty = 1;
    QM_CHECK_EQ(host.Call(exportSelectorPrepare), noErr);
    QM_CHECK_EQ(host.Call(exportSelectorStart), noErr);
    QM_CHECK(RectIs(host.Record().theRect, 0, 0, 6, 5));
    QM_CHECK_EQ(host.Record().loPlane, 0);
    QM_CHECK_EQ(host.Record().hiPlane, 0);
    QM_CHECK(host.DataWord() != 0);
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    SetCursor(arrow);
    QM_CHECK_EQ(host.Call(exportSelectorContinue), noErr);
    QM_CHECK(RectIs(host.Record().theRect, 0, 0, 0, 0));
    QM_CHECK(host.DataWord() != 0);
    QM_CHECK(GetCursor() == arrow); // the wait cursor is gone again
    QM_CHECK_EQ(host.Call(exportSelectorFinish), 1);
    QM_CHECK_EQ(host.Record().dirty, 0);
    QM_CHECK_EQ(host.DataWord(), 0);
    // Whatever later stages show (a dialog, a save box) was cancelled; no error boxes.
    for (const SeenBox& box : watcher.TakeSeen())
        QM_CHECK_EQ(box.pressed, IDCANCEL);
    QM_CHECK(ReadWindowsIni().has_value());
}

// Start with an image of rows x columns; returns the start result and the boxes seen.
std::int16_t StartWith(PluginHost& host, BoxWatcher& watcher, std::uint16_t rows,
                       std::uint16_t columns, std::vector<SeenBox>& seen) {
    host.SetImage(rows, columns, nullptr, columns);
    host.Call(exportSelectorPrepare);
    const std::int16_t result = host.Call(exportSelectorStart);
    seen = watcher.TakeSeen();
    if (result == noErr)
        host.Call(exportSelectorFinish); // ends the run without reading pixels
    QM_CHECK_EQ(host.DataWord(), 0);
    return result;
}

void PolygonQuestionAnsweredYesAndNo(PluginHost& host, BoxWatcher& watcher) {
    RemoveWindowsIni();
    std::vector<SeenBox> seen;
    watcher.AnswerQuestions(IDNO);
    QM_CHECK_EQ(StartWith(host, watcher, 257, 257, seen), userDeclined);
    QM_CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        QM_CHECK_EQ(seen[0].text, kQuestion65535);
        QM_CHECK_EQ(seen[0].caption, "");
        QM_CHECK(seen[0].owner == nullptr);
    }

    watcher.AnswerQuestions(IDYES);
    QM_CHECK_EQ(StartWith(host, watcher, 257, 257, seen), noErr);
    QM_CHECK_EQ(seen.size(), 1u);
    QM_CHECK(RectIs(host.Record().theRect, 0, 0, 257, 257));

    QM_CHECK_EQ(StartWith(host, watcher, 256, 257, seen), noErr);
    QM_CHECK(seen.empty());
    QM_CHECK_EQ(StartWith(host, watcher, 1, 30000, seen), noErr);
    QM_CHECK(seen.empty());

    // 40000 columns: a negative signed size word, still a very large mesh.
    watcher.AnswerQuestions(IDNO);
    QM_CHECK_EQ(StartWith(host, watcher, 3, 40000, seen), userDeclined);
    QM_CHECK_EQ(seen.size(), 1u);
}

void MaxPolysSetsTheLimit(PluginHost& host, BoxWatcher& watcher) {
    std::vector<SeenBox> seen;
    watcher.AnswerQuestions(IDNO);
    WriteWindowsIni("[QUORVMESH]\r\nMaxPolys=0\r\n");
    QM_CHECK_EQ(StartWith(host, watcher, 3000, 3000, seen), noErr);
    QM_CHECK(seen.empty());

    WriteWindowsIni("[quorvmesh]\r\nmaxpolys=70000\r\n");       // acts as 4464
    QM_CHECK_EQ(StartWith(host, watcher, 67, 68, seen), noErr); // 4422 cells
    QM_CHECK(seen.empty());
    QM_CHECK_EQ(StartWith(host, watcher, 68, 68, seen), userDeclined); // 4489 cells
    QM_CHECK_EQ(seen.size(), 1u);
    if (!seen.empty())
        QM_CHECK(seen[0].text.find("more than 4464\n") != std::string::npos);
    RemoveWindowsIni();
}

void OutOfMemoryShowsTheBoxAndTheRunGoesOn(PluginHost& host, BoxWatcher& watcher) {
    WriteWindowsIni("[QUORVMESH]\r\nMaxPolys=0\r\n");
    // 65535 x 65535 pixels: far more mesh memory than a 32-bit process can have. The
    // pixels are never read when the allocation fails.
    static const std::uint8_t unread = 0;
    host.SetImage(65535, 65535, &unread, 65535);
    QM_CHECK_EQ(host.Call(exportSelectorPrepare), noErr);
    QM_CHECK_EQ(host.Call(exportSelectorStart), noErr);
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    SetCursor(arrow);
    QM_CHECK_EQ(host.Call(exportSelectorContinue), noErr);
    QM_CHECK(RectIs(host.Record().theRect, 0, 0, 0, 0));
    QM_CHECK(GetCursor() == arrow);
    const std::vector<SeenBox> seen = watcher.TakeSeen();
    QM_CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        QM_CHECK_EQ(seen[0].text, "Sorry, there is not enough\nmemory to run QuorvMesh");
        QM_CHECK_EQ(seen[0].caption, "QuorvMesh");
        QM_CHECK(seen[0].owner == host.Window());
    }
    host.Record().dirty = 1;
    QM_CHECK_EQ(host.Call(exportSelectorFinish), 1);
    QM_CHECK_EQ(host.Record().dirty, 0);
    QM_CHECK_EQ(host.DataWord(), 0);
    // The parameters are still saved.
    const auto written = ReadWindowsIni();
    QM_CHECK(written && IniFile(*written).GetString("QUORVMESH", "Meshtype").has_value());
    RemoveWindowsIni();
}

// A host that lends no pixels, or rows shorter than the image, gets a box that says why;
// nothing is made and the run ends normally.
void ContinueWithoutUsablePixelsSaysWhy(PluginHost& host, BoxWatcher& watcher) {
    const std::uint8_t rows[20 * 19] = {};
    const struct {
        const std::uint8_t* pixels;
        std::int32_t rowBytes;
        const char* text;
    } cases[] = {
        {nullptr, 20, "Sorry, the host sent no picture\nfor QuorvMesh to work on"},
        {rows, 19, "Sorry, the host sent a picture whose rows\nare shorter than its width"},
    };
    for (const auto& bad : cases) {
        host.SetImage(20, 20, bad.pixels, bad.rowBytes);
        QM_CHECK_EQ(host.Call(exportSelectorPrepare), noErr);
        QM_CHECK_EQ(host.Call(exportSelectorStart), noErr);
        QM_CHECK_EQ(host.Call(exportSelectorContinue), noErr);
        QM_CHECK(RectIs(host.Record().theRect, 0, 0, 0, 0));
        const std::vector<SeenBox> seen = watcher.TakeSeen();
        QM_CHECK_EQ(seen.size(), 1u);
        if (!seen.empty()) {
            QM_CHECK_EQ(seen[0].text, bad.text);
            QM_CHECK_EQ(seen[0].caption, "QuorvMesh");
            QM_CHECK(seen[0].owner == host.Window());
        }
        QM_CHECK_EQ(host.Call(exportSelectorFinish), 1);
        QM_CHECK_EQ(host.DataWord(), 0);
    }
    RemoveWindowsIni();
}

// A host that ends a run after prepare calls finish without start: the user's saved
// settings stay as they were.
void FinishWithoutStartKeepsTheSavedSettings(PluginHost& host) {
    const std::string saved = "[QUORVMESH]\r\nMapAlt=25\r\nModelScale=5\r\nDiskFormat=3\r\n";
    WriteWindowsIni(saved);
    GrayImage image(3, 4);
    host.SetImage(image.rows, image.columns, image.pixels.data(), image.columns);
    QM_CHECK_EQ(host.Call(exportSelectorPrepare), noErr);
    QM_CHECK_EQ(host.Call(exportSelectorFinish), 1);
    QM_CHECK_EQ(host.DataWord(), 0);
    QM_CHECK_EQ(ReadWindowsIni().value_or("<gone>"), saved);
    RemoveWindowsIni();
}

void AboutLeavesNothingBehind(PluginHost& host, BoxWatcher& watcher) {
    QM_CHECK_EQ(host.Call(exportSelectorAbout), noErr);
    QM_CHECK_EQ(host.DataWord(), 0);
    const std::vector<SeenBox> seen = watcher.TakeSeen();
    QM_CHECK(!seen.empty());
    if (!seen.empty())
        QM_CHECK(seen[0].owner == host.Window());
    // The about selector with high bits set is still about.
    QM_CHECK_EQ(host.Call(static_cast<std::int32_t>(0xFFFF0000u)), noErr);
    QM_CHECK_EQ(host.DataWord(), 0);
    watcher.TakeSeen();
}

// The plug-in's own profile writes, read back with the portable INI reader and compared
// with the committed copy that the native tests read too.
void ParametersComeBackThroughTheIniFile(PluginHost& host, BoxWatcher& watcher,
                                         const std::string& golden) {
    WriteWindowsIni(
        "[QUORVMESH]\r\nMeshtype=3\r\nDoLatitude=0\r\nDoLongitude=0\r\nMapAlt=25\r\nModelScale="
        "5\r\n"
        "Xrot=5\r\nYrot=-30\r\nZrot=360\r\nOrient=-1\r\nMeshRes=9\r\nDiskFormat=6\r\nTooltype=2\r\n"
        "MaxPolys=0\r\n");
    GrayImage image(3, 4);
    host.SetImage(image.rows, image.columns, image.pixels.data(), image.columns);
    QM_CHECK_EQ(host.RunExport(), noErr);
    QM_CHECK_EQ(host.DataWord(), 0);
    watcher.TakeSeen();
    const auto text = ReadWindowsIni();
    QM_CHECK(text.has_value());
    // Left in the test's folder for a look (and for renewing the committed copy).
    std::ofstream("qmesh-written.ini", std::ios::binary) << text.value_or("");
    std::ifstream committed(WindowsPath(golden), std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(committed),
                               std::istreambuf_iterator<char>()};
    QM_CHECK(!expected.empty());
    QM_CHECK(text.value_or("") == expected);
    const IniFile ini(text.value_or(""));
    const auto value = [&](const char* key) {
        return ini.GetString("QUORVMESH", key).value_or("<missing>");
    };
    QM_CHECK_EQ(value("Meshtype"), "0");
    QM_CHECK_EQ(value("DoLatitude"), "1");
    QM_CHECK_EQ(value("DoLongitude"), "0");
    QM_CHECK_EQ(value("DoPerspective"), "1");
    QM_CHECK_EQ(value("BlackHoles"), "0");
    QM_CHECK_EQ(value("DiskFormat"), "6");
    QM_CHECK_EQ(value("MeshRes"), "1");
    QM_CHECK_EQ(value("MapAlt"), "25");
    QM_CHECK_EQ(value("RadOff"), "200");
    QM_CHECK_EQ(value("CylLen"), "100");
    QM_CHECK_EQ(value("ModelScale"), "5");
    QM_CHECK_EQ(value("Xrot"), "4");
    QM_CHECK_EQ(value("Zrot"), "360");
    QM_CHECK_EQ(value("Orient"), "-1");
    QM_CHECK_EQ(value("Shadetype"), "0");
    QM_CHECK_EQ(value("Tooltype"), "2");
    QM_CHECK_EQ(value("MaxPolys"), "0"); // read, never written
    // -30 read as an unsigned number of degrees, then folded into 0..360.
    const std::string yrot = value("Yrot");
    QM_CHECK(yrot != "<missing>" && std::stoi(yrot) >= 0 && std::stoi(yrot) <= 360);
    RemoveWindowsIni();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: %s <plug-in module> <expected qmesh.ini>\n", argv[0]);
        return 2;
    }
    PluginHost host(argv[1]);
    QM_CHECK(host.Loaded());
    if (!host.Loaded())
        return Tally().Finish();
    BoxWatcher watcher;
    // Each case with its time, for the test log.
    const auto run = [&](const char* name, auto&& body) {
        const DWORD start = GetTickCount();
        body();
        std::printf("%-48s %5lu ms\n", name, static_cast<unsigned long>(GetTickCount() - start));
    };
    run("unknown selectors", [&] { UnknownSelectorsAreRefused(host); });
    run("wrong image mode", [&] { WrongImageModeEndsTheRunAtStart(host, watcher); });
    run("complete run", [&] { CompleteRunRequestsTheImageAndReleasesEverything(host, watcher); });
    run("polygon question", [&] { PolygonQuestionAnsweredYesAndNo(host, watcher); });
    run("MaxPolys", [&] { MaxPolysSetsTheLimit(host, watcher); });
    run("out of memory", [&] { OutOfMemoryShowsTheBoxAndTheRunGoesOn(host, watcher); });
    run("continue without usable pixels",
        [&] { ContinueWithoutUsablePixelsSaysWhy(host, watcher); });
    run("finish without start", [&] { FinishWithoutStartKeepsTheSavedSettings(host); });
    run("about", [&] { AboutLeavesNothingBehind(host, watcher); });
    run("parameters through the INI file",
        [&] { ParametersComeBackThroughTheIniFile(host, watcher, argv[2]); });
    QM_CHECK_EQ(PluginHost::ForbiddenCalls(), 0);
    RemoveWindowsIni();
    return Tally().Finish();
}
