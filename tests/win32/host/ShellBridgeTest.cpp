// QuorvShell's bridge to the plug-in, against a stand-in module (FakePlugin.cpp) that logs
// what it is called with: where the module is looked for, the record the shell fills, the
// order of the calls, what the user sees for a No or a failure, the progress bar read
// back from the screen, and commands while the plug-in runs.
// Usage: win32_host_bridge_test <QuorvShell.exe> <fake module> <data folder> <Logo.bmp>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "host/app/ShellCommands.h"
#include "tests/win32/host/ShellFolder.h"
#include "tests/win32/host/ShellSession.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr const char* kLaunchProblem = "There was a Problem Launching \nthe QuorvMesh Filter.";

struct Args {
    std::string program, fake, data, logo;
};

// The box the shell shows after a run, checked and closed; false when none came.
bool ShowsLaunchProblem(ShellSession& shell) {
    HWND box = shell.WaitDialog(5000);
    if (!box)
        return false;
    const bool right = WindowText(box) == "QuorvShell" && BoxText(box) == kLaunchProblem;
    Press(box, IDOK);
    WaitClosed(box);
    shell.Sync();
    return right;
}

// How many lines of log start with what.
std::size_t Count(const std::string& log, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; at < log.size(); at = log.find('\n', at) + 1) {
        n += log.compare(at, what.size(), what) == 0;
        if (log.find('\n', at) == std::string::npos)
            break;
    }
    return n;
}

void ARunFillsTheRecordAndCallsEachStepOnce(const Args& args) {
    ShellFolder folder("bridge-run", args.program);
    QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("ok"));
    shell.Command(kCallPlugin);
    shell.Sync();
    QM_CHECK(shell.WaitDialog(1500) == nullptr);
    std::ifstream logo(WindowsPath(args.logo), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(logo), {}};
    const int first = static_cast<std::uint8_t>(bytes.at(1078));
    const int last = static_cast<std::uint8_t>(bytes.at(1078 + 208 * 120 - 1));
    const std::string record = "record mode=1 h=208 v=120 depth=8 planes=1 rowBytes=208 "
                               "maxData=65536 serial=0 abort=0 progress=1 buffers=1933/1 "
                               "host=1 hwnd=1 first=" +
                               std::to_string(first) + " last=" + std::to_string(last) + "\n";
    const std::string expected =
        "load\nselector 4\nselector 1\n" + record + "selector 2\nselector 3\nunload\n";
    QM_CHECK_EQ(folder.Log(), expected);
}

void AboutKeepsTheModuleForTheNextCall(const Args& args) {
    ShellFolder folder("bridge-about", args.program);
    QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("ok"));
    shell.Command(kAboutPlugin);
    shell.Command(kAboutPlugin);
    shell.Command(kCallPlugin);
    shell.Sync();
    const std::string log = folder.Log();
    QM_CHECK_EQ(Count(log, "load\n"), 1u);
    QM_CHECK_EQ(Count(log, "unload\n"), 1u);
    QM_CHECK_EQ(Count(log, "selector 0\n"), 2u);
    QM_CHECK(log.rfind("selector 3\nunload\n") != std::string::npos);
}

void OnlyTheSecondNameIsFoundToo(const Args& args) {
    ShellFolder folder("bridge-second-name", args.program);
    QM_CHECK(folder.Add(args.fake, "quordm32.8be"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("ok"));
    shell.Command(kCallPlugin);
    shell.Sync();
    QM_CHECK(shell.WaitDialog(1500) == nullptr);
    QM_CHECK(folder.Log().find("selector 3\n") != std::string::npos);
}

void NoModuleOrAFailureIsALaunchProblemButANoIsNot(const Args& args) {
    {
        ShellFolder folder("bridge-none", args.program);
        ShellSession shell(folder.Path());
        shell.Command(kCallPlugin);
        QM_CHECK(ShowsLaunchProblem(shell));
    }
    {
        ShellFolder folder("bridge-fail", args.program);
        QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
        ShellSession shell(folder.Path(), folder.FakeEnvironment("fail"));
        shell.Command(kCallPlugin);
        QM_CHECK(ShowsLaunchProblem(shell));
        QM_CHECK_EQ(Count(folder.Log(), "selector 3\n"), 0u);
    }
    {
        ShellFolder folder("bridge-decline", args.program);
        QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
        ShellSession shell(folder.Path(), folder.FakeEnvironment("decline"));
        shell.Command(kCallPlugin);
        shell.Sync();
        QM_CHECK(shell.WaitDialog(1500) == nullptr);
        const std::string log = folder.Log();
        QM_CHECK(log.find("selector 1\n") != std::string::npos);
        QM_CHECK_EQ(Count(log, "selector 2\n"), 0u);
        QM_CHECK_EQ(Count(log, "unload\n"), 1u);
    }
}

void AModuleBesideAnOpenedPictureNeverRuns(const Args& args) {
    ShellFolder program("bridge-no-module", args.program);
    ShellFolder pictures("bridge-picture-folder", args.program);
    QM_CHECK(pictures.Add(args.fake, "quorms32.8be"));
    QM_CHECK(pictures.Add(args.data + "/palette.bmp", "palette.bmp"));
    ShellSession shell(program.Path(), pictures.FakeEnvironment("ok"));
    // The open dialog makes the picture's folder the current one.
    shell.Command(kOpenImageFile);
    HWND open = shell.WaitDialog();
    QM_CHECK(open != nullptr);
    if (open)
        ChooseFile(open, pictures.File("palette.bmp"));
    if (HWND notice = shell.WaitDialog()) {
        Press(notice, IDOK);
        WaitClosed(notice);
    }
    shell.Command(kConvertToGray);
    shell.Command(kCallPlugin);
    QM_CHECK(ShowsLaunchProblem(shell));
    QM_CHECK_EQ(pictures.Log(), "");
}

void AColourPictureIsRefusedWhateverTheMenuSays(const Args& args) {
    ShellFolder folder("bridge-colour", args.program);
    QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
    QM_CHECK(folder.Add(args.data + "/palette.bmp", "palette.bmp"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("ok"));
    shell.Command(kOpenImageFile);
    if (HWND open = shell.WaitDialog())
        ChooseFile(open, folder.File("palette.bmp"));
    if (HWND notice = shell.WaitDialog()) {
        Press(notice, IDOK);
        WaitClosed(notice);
    }
    QM_CHECK_EQ(folder.MenuOf(shell), "10111101");
    // The command arrives although its item is grayed (a posted message, an accelerator).
    shell.Command(kCallPlugin);
    QM_CHECK(ShowsLaunchProblem(shell));
    QM_CHECK_EQ(Count(folder.Log(), "selector 4"), 0u);
}

// The bar's frame top: the black frame's left edge runs up column 3 from the bottom.
int BarTop(const std::vector<COLORREF>& pixels, SIZE size) {
    int top = size.cy - 2;
    while (top > 0 && pixels[(top - 1) * size.cx + 3] == RGB(0, 0, 0))
        --top;
    return top;
}

// The bar's first inverted row lies above the label: black up to end, white after, the
// frame black on both sides.
bool BarFilledTo(const std::vector<COLORREF>& pixels, SIZE size, int end) {
    const int y = BarTop(pixels, size) + 1;
    const int right = size.cx - 4; // the frame's right column
    if (pixels[y * size.cx + 3] != RGB(0, 0, 0) || pixels[y * size.cx + right] != RGB(0, 0, 0))
        return false;
    for (int x = 4; x < right; ++x) {
        const COLORREF want = x < end ? RGB(0, 0, 0) : RGB(255, 255, 255);
        if (pixels[y * size.cx + x] != want) {
            std::printf("bar row %d column %d: %06lx\n", y, x,
                        static_cast<unsigned long>(pixels[y * size.cx + x]));
            return false;
        }
    }
    return true;
}

// Between two calls only the columns from..end - 1 of the bar changed, each to its inverse
// (the label included), and nothing else in the window.
bool OnlyInvertedBetween(const std::vector<COLORREF>& before, const std::vector<COLORREF>& after,
                         SIZE size, int from, int end) {
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const std::size_t i = y * size.cx + x;
            const bool inverted =
                x >= from && x < end && y > BarTop(before, size) && y < size.cy - 2;
            if (after[i] != (inverted ? (~before[i] & 0xFFFFFF) : before[i])) {
                std::printf("pixel (%d, %d): %06lx after %06lx\n", x, y,
                            static_cast<unsigned long>(after[i]),
                            static_cast<unsigned long>(before[i]));
                return false;
            }
        }
    }
    return true;
}

void TheProgressBarFillsAndGoes(const Args& args) {
    ShellFolder folder("bridge-progress", args.program);
    QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("progress"));
    const std::vector<COLORREF> before = shell.ClientPixels();
    shell.Command(kCallPlugin);
    QM_CHECK(WaitForEvent("QmFakeStep1"));
    const SIZE size = shell.ClientSize();
    const int inner = size.cx - 8;
    const std::vector<COLORREF> first = shell.ClientPixels();
    QM_CHECK(BarFilledTo(first, size, 4 + inner * 2 / 10));
    // The frame's bottom edge.
    QM_CHECK(first[(size.cy - 2) * size.cx + 100] == RGB(0, 0, 0));

    // Nothing but Help may run while the plug-in has the host inside continue.
    for (std::uint16_t id :
         {kOpenImageFile, kConvertToGray, kInverseGrays, kAboutShell, kAboutPlugin, kCallPlugin})
        shell.Command(id);
    shell.Sync();
    QM_CHECK(!shell.DialogShowing());
    SignalEvent("QmFakeGo1");
    QM_CHECK(WaitForEvent("QmFakeStep2"));
    const std::vector<COLORREF> second = shell.ClientPixels();
    QM_CHECK(BarFilledTo(second, size, 4 + inner * 7 / 10));
    QM_CHECK(OnlyInvertedBetween(first, second, size, 4 + inner * 2 / 10, 4 + inner * 7 / 10));
    SignalEvent("QmFakeGo2");
    shell.Sync();
    // The bar is gone: the picture is whole again.
    QM_CHECK(shell.ClientPixels() == before);
    const std::string log = folder.Log();
    QM_CHECK_EQ(Count(log, "selector 2\n"), 1u);
    QM_CHECK_EQ(Count(log, "selector 0\n"), 0u);
    QM_CHECK_EQ(Count(log, "load\n"), 1u);
    QM_CHECK(shell.Running());
}

void ExitWaitsForTheRunToEnd(const Args& args) {
    ShellFolder folder("bridge-exit", args.program);
    QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
    ShellSession shell(folder.Path(), folder.FakeEnvironment("progress"));
    shell.Command(kCallPlugin);
    QM_CHECK(WaitForEvent("QmFakeStep1"));
    shell.Command(kExit);
    shell.Sync();
    QM_CHECK(shell.Running());
    SignalEvent("QmFakeGo1");
    QM_CHECK(WaitForEvent("QmFakeStep2"));
    QM_CHECK(shell.Running());
    SignalEvent("QmFakeGo2");
    QM_CHECK_EQ(shell.WaitForExit(10000), 0u);
    QM_CHECK(folder.Log().rfind("selector 3\nunload\n") != std::string::npos);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::printf("usage: win32_host_bridge_test <QuorvShell.exe> <fake> <data> <Logo.bmp>\n");
        return 2;
    }
    const Args args{argv[1], argv[2], argv[3], argv[4]};
    ARunFillsTheRecordAndCallsEachStepOnce(args);
    AboutKeepsTheModuleForTheNextCall(args);
    OnlyTheSecondNameIsFoundToo(args);
    NoModuleOrAFailureIsALaunchProblemButANoIsNot(args);
    AModuleBesideAnOpenedPictureNeverRuns(args);
    AColourPictureIsRefusedWhateverTheMenuSays(args);
    TheProgressBarFillsAndGoes(args);
    ExitWaitsForTheRunToEnd(args);
    return Tally().Finish();
}
