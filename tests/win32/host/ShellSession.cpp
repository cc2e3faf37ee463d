#include "tests/win32/host/ShellSession.h"

#include <algorithm>
#include <cstring>

#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr int kFileNameEdit = 0x480;  // edt1
constexpr int kFileNameCombo = 0x47c; // cmb13
constexpr int kMessageText = 0xFFFF;

struct Search {
    DWORD process;
    const std::vector<HWND>* skip;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (process != search->process || !IsWindowVisible(window) ||
        std::string(className) != search->className)
        return TRUE;
    if (search->skip &&
        std::find(search->skip->begin(), search->skip->end(), window) != search->skip->end())
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowOf(DWORD process, const char* className, const std::vector<HWND>* skip) {
    Search search{process, skip, className, nullptr};
    EnumWindows(FindOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string EnvironmentBlock(const std::vector<std::string>& additions) {
    std::string block;
    char* current = GetEnvironmentStringsA();
    for (const char* p = current; *p; p += std::strlen(p) + 1)
        block.append(p).push_back('\0');
    FreeEnvironmentStringsA(current);
    for (const std::string& entry : additions)
        block.append(entry).push_back('\0');
    block.push_back('\0');
    return block;
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int ChildCount(HWND window) {
    int count = 0;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A dialog can be visible before all its controls exist (a file dialog on a busy machine
// fills itself in for a while): waits until it has controls and their number holds still.
void WaitSettled(HWND dialog) {
    const DWORD until = GetTickCount() + ScaledTimeout(5000);
    int last = -1, steady = 0;
    while (steady < 3 && GetTickCount() < until && IsWindow(dialog)) {
        const int count = ChildCount(dialog);
        steady = count > 0 && count == last ? steady + 1 : 0;
        last = count;
        Sleep(100);
    }
}

} // namespace

ShellSession::ShellSession(const std::string& folder, const std::vector<std::string>& environment) {
    std::string command = "\"" + folder + "\\QuorvShell.exe\"";
    std::string block = EnvironmentBlock(environment);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, block.data(),
                        folder.c_str(), &startup, &process_))
        return;
    const DWORD until = GetTickCount() + ScaledTimeout(20000);
    // A start-up failure shows its box before the window is visible.
    while (!window_ && GetTickCount() < until && Running() && !DialogShowing()) {
        window_ = FindWindowOf(process_.dwProcessId, "qshellparent", nullptr);
        Sleep(50);
    }
    Sync();
}

ShellSession::~ShellSession() {
    if (!process_.hProcess)
        return;
    if (Running() && window_) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        WaitForExit(10000);
    }
    if (Running())
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool ShellSession::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ShellSession::WaitForExit(DWORD timeoutMs) {
    WaitForSingleObject(process_.hProcess, ScaledTimeout(timeoutMs));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void ShellSession::Command(std::uint16_t id) {
    PostMessageA(window_, WM_COMMAND, id, 0);
}

void ShellSession::Sync() {
    // A sent message is handled before posted ones, so one answer only says the shell has
    // reached its message loop; the pause lets it take what was posted, and the second
    // answer comes once that is done (or a modal loop runs).
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    Sleep(250);
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
}

SIZE ShellSession::ClientSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

HWND ShellSession::WaitDialog(DWORD timeoutMs) {
    std::erase_if(seen_, [](HWND w) { return !IsWindow(w); });
    const DWORD until = GetTickCount() + ScaledTimeout(timeoutMs);
    while (GetTickCount() < until) {
        if (HWND dialog = FindWindowOf(process_.dwProcessId, "#32770", &seen_)) {
            seen_.push_back(dialog);
            WaitSettled(dialog);
            return dialog;
        }
        Sleep(50);
    }
    return nullptr;
}

bool ShellSession::DialogShowing() const {
    return FindWindowOf(process_.dwProcessId, "#32770", nullptr) != nullptr;
}

std::vector<COLORREF> ShellSession::ClientPixels() const {
    // Give the shell's drawing time to reach the screen.
    Sleep(400);
    const SIZE size = ClientSize();
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    std::vector<COLORREF> pixels;
    if (size.cx <= 0 || size.cy <= 0)
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < size.cx * size.cy; ++i)
        pixels.push_back(RGB(quads[4 * i + 2], quads[4 * i + 1], quads[4 * i]));
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string BoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageText);
    return text ? WindowText(text) : std::string();
}

bool IsFileDialog(HWND dialog) {
    return GetDlgItem(dialog, kFileNameEdit) || GetDlgItem(dialog, kFileNameCombo);
}

void ChooseFile(HWND dialog, const std::string& path) {
    HWND name = GetDlgItem(dialog, kFileNameEdit);
    if (!name)
        name = GetDlgItem(dialog, kFileNameCombo);
    SetWindowTextA(name, path.c_str());
    Press(dialog, IDOK);
}

bool WaitClosed(HWND window, DWORD timeoutMs) {
    const DWORD until = GetTickCount() + ScaledTimeout(timeoutMs);
    while (IsWindow(window) && GetTickCount() < until)
        Sleep(50);
    return !IsWindow(window);
}
