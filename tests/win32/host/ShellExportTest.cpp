// The whole road under Wine: QuorvShell opens a colour TIFF through its open dialog, makes
// it gray, inverts it and calls the real plug-in, which writes its mesh through its save
// dialog (after its filter dialog); the file equals what quorvmesh writes for the same picture and
// settings. While the plug-in runs, the shell's other commands are ignored and Exit waits for the
// run. Usage: win32_host_export_test <QuorvShell.exe> <quorms32.8be> <data folder>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "host/app/ShellCommands.h"
#include "tests/win32/host/ShellFolder.h"
#include "tests/win32/host/ShellSession.h"
#include "tests/win32/support/FilterDialogDriver.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowControls.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::string& path) {
    const std::vector<char> bytes = ReadFile(path);
    return {bytes.begin(), bytes.end()};
}

// Answers the dialogs of the plug-in's run up to its save dialog and chooses path there.
// The filter dialog comes first and is confirmed as a user does.
bool SaveThroughThePlugin(ShellSession& shell, const std::string& path) {
    for (int dialogs = 0; dialogs < 3; ++dialogs) {
        HWND dialog = shell.WaitDialog();
        if (!dialog)
            return false;
        if (IsFileDialog(dialog)) {
            ChooseFile(dialog, path);
            return WaitClosed(dialog);
        }
        if (!ConfirmFilterDialog(dialog))
            return false;
    }
    return false;
}

void OpenGrayInvert(ShellSession& shell, const std::string& picture) {
    shell.Command(kOpenImageFile);
    HWND open = shell.WaitDialog();
    QM_CHECK(open && IsFileDialog(open));
    if (!open)
        return;
    ChooseFile(open, picture);
    HWND notice = shell.WaitDialog();
    QM_CHECK(notice != nullptr && WindowText(notice) == "Non-Grayscale Image");
    if (notice) {
        Press(notice, IDOK);
        WaitClosed(notice);
    }
    shell.Command(kConvertToGray);
    shell.Command(kInverseGrays);
    shell.Sync();
}

void TheMeshEqualsTheCommandLineTools(const std::string& program, const std::string& module,
                                      const std::string& data) {
    ShellFolder folder("export", program);
    QM_CHECK(folder.Add(module, "quorms32.8be"));
    QM_CHECK(folder.Add(data + "/colours.tif", "colours.tif"));
    const std::string output = folder.File("colours.dxf");
    DeleteFileA(output.c_str());
    WriteWindowsIni(ReadText(WindowsPath(data + "/shell-export.ini")));
    ShellSession shell(folder.Path());
    OpenGrayInvert(shell, folder.File("colours.tif"));
    shell.Command(kCallPlugin);
    QM_CHECK(SaveThroughThePlugin(shell, output));
    shell.Sync();
    QM_CHECK(shell.WaitDialog(1500) == nullptr); // no launch problem
    const std::vector<char> written = ReadFile(output);
    const std::vector<char> expected = ReadFile(WindowsPath(data + "/colours-inverted.dxf"));
    QM_CHECK(!expected.empty());
    if (written != expected)
        std::printf("%zu bytes written, %zu expected\n", written.size(), expected.size());
    QM_CHECK(written == expected);
    QM_CHECK(shell.Running());
    RemoveWindowsIni();
}

void CommandsWaitForTheRunningPlugin(const std::string& program, const std::string& module,
                                     const std::string& data) {
    ShellFolder folder("reentry", program);
    QM_CHECK(folder.Add(module, "quorms32.8be"));
    QM_CHECK(folder.Add(data + "/colours.tif", "colours.tif"));
    const std::string output = folder.File("reentry.dxf");
    DeleteFileA(output.c_str());
    WriteWindowsIni(ReadText(WindowsPath(data + "/shell-export.ini")));
    ShellSession shell(folder.Path());
    OpenGrayInvert(shell, folder.File("colours.tif"));
    shell.Command(kCallPlugin);
    HWND save = shell.WaitDialog();
    QM_CHECK(save != nullptr);
    // The plug-in's dialogs have no owner, so the menu is live: nothing of this may run now.
    for (std::uint16_t id : {kOpenImageFile, kConvertToGray, kInverseGrays, kAboutShell,
                             kAboutPlugin, kCallPlugin, kExit})
        shell.Command(id);
    PostMessageA(shell.Window(), WM_CLOSE, 0, 0);
    shell.Sync();
    QM_CHECK(shell.WaitDialog(1500) == nullptr);
    QM_CHECK(shell.Running());
    // The filter dialog first, then the save dialog.
    while (save && !IsFileDialog(save)) {
        QM_CHECK(ConfirmFilterDialog(save));
        save = shell.WaitDialog();
    }
    if (save)
        ChooseFile(save, output);
    // Exit was kept until the plug-in returned: the file is whole and the program ends.
    QM_CHECK_EQ(shell.WaitForExit(15000), 0u);
    QM_CHECK(ReadFile(output) == ReadFile(WindowsPath(data + "/colours-inverted.dxf")));
    RemoveWindowsIni();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: win32_host_export_test <QuorvShell.exe> <quorms32.8be> <data>\n");
        return 2;
    }
    TheMeshEqualsTheCommandLineTools(argv[1], argv[2], argv[3]);
    CommandsWaitForTheRunningPlugin(argv[1], argv[2], argv[3]);
    return Tally().Finish();
}
