#include "tests/win32/dialog/DialogScript.h"

#include <cstdlib>
#include <sstream>

#include "tests/win32/support/FilterDialogDriver.h"
#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

constexpr int kFileNameEdit = 0x480;  // edt1
constexpr int kFileNameCombo = 0x47c; // cmb13
constexpr int kMessageText = 0xFFFF;
constexpr DWORD kWaitMs = 10000;

struct Search {
    bool fileDialog;
    HWND found;
};

HWND FileNameBox(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, kFileNameEdit);
    return edit ? edit : GetDlgItem(dialog, kFileNameCombo);
}

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (!IsOwnDialog(window) || IsFilterDialog(window))
        return TRUE;
    if ((FileNameBox(window) != nullptr) != search.fileDialog)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND WaitFor(bool fileDialog) {
    for (DWORD waited = 0; waited < ScaledTimeout(kWaitMs); waited += 20) {
        Search search{fileDialog, nullptr};
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    }
    return nullptr;
}

void WaitGone(HWND window) {
    for (DWORD waited = 0;
         waited < ScaledTimeout(kWaitMs) && IsWindow(window) && IsWindowVisible(window);
         waited += 20)
        Sleep(20);
}

} // namespace

void TypeAndLeave(HWND dialog, int id, const char* text, int next) {
    Focus(dialog, id);
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Focus(dialog, next);
}

void Focus(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Choose(HWND dialog, int id, int index) {
    const HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int Selection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

std::string Text(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool AnswerFileDialog(const std::optional<std::string>& path) {
    const HWND dialog = WaitFor(true);
    if (!dialog)
        return false;
    if (path) {
        SetWindowTextA(FileNameBox(dialog), path->c_str());
        Press(dialog, IDOK);
    } else {
        Press(dialog, IDCANCEL);
    }
    return true;
}

std::optional<Box> AnswerBox() {
    const HWND box = WaitFor(false);
    if (!box)
        return std::nullopt;
    Box seen{WindowText(box), WindowText(GetDlgItem(box, kMessageText))};
    Press(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
    WaitGone(box);
    return seen;
}

std::map<std::string, long> IniValues() {
    std::map<std::string, long> values;
    std::istringstream lines(ReadWindowsIni().value_or(""));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = std::strtol(line.c_str() + equals + 1, nullptr, 10);
    }
    return values;
}

std::vector<std::uint8_t> RampPicture(std::uint16_t rows, std::uint16_t cols) {
    std::vector<std::uint8_t> pixels(std::size_t{rows} * cols);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < cols; ++c)
            pixels[r * cols + c] = static_cast<std::uint8_t>((r * 3 + c * 5) % 256);
    return pixels;
}

std::int16_t RunWithPicture(PluginHost& host, std::uint16_t rows, std::uint16_t cols) {
    const std::vector<std::uint8_t> picture = RampPicture(rows, cols);
    host.SetImage(rows, cols, picture.data(), cols);
    return host.RunExport();
}

std::string TestFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qm-dialog-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
