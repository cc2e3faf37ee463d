#include "tests/win32/support/FilterDialogDriver.h"

#include <cstdio>
#include <utility>

#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr int kCanvasPlaceholder = 2098;
constexpr int kPressesBeforeGivingUp = 5;
constexpr DWORD kWaitPerPressMs = 1000;

BOOL CALLBACK FindFilterDialog(HWND window, LPARAM found) {
    if (!IsFilterDialog(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

bool WaitUntilClosed(HWND dialog, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 10) {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog))
            return true;
        Sleep(10);
    }
    return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

} // namespace

bool IsFilterDialog(HWND window) {
    return IsOwnDialog(window) && GetDlgItem(window, kCanvasPlaceholder) != nullptr;
}

bool ConfirmFilterDialog(HWND dialog) {
    for (int press = 0; press < kPressesBeforeGivingUp; ++press) {
        Press(dialog, IDOK);
        if (WaitUntilClosed(dialog, ScaledTimeout(kWaitPerPressMs)))
            return true;
    }
    return false;
}

FilterDialogDriver::FilterDialogDriver() : thread_([this] { Run(); }) {}

FilterDialogDriver::~FilterDialogDriver() {
    stop_ = true;
    thread_.join();
}

void FilterDialogDriver::RunNext(Script script) {
    std::lock_guard<std::mutex> lock(mutex_);
    next_ = std::move(script);
}

void FilterDialogDriver::Run() {
    while (!stop_) {
        HWND dialog = nullptr;
        EnumWindows(&FindFilterDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) {
            Sleep(20);
            continue;
        }
        Script script;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            script = std::exchange(next_, nullptr);
        }
        if (script)
            script(dialog);
        // Whatever the script left open is confirmed, so that a test never hangs.
        if (!WaitUntilClosed(dialog, 200) && !ConfirmFilterDialog(dialog)) {
            std::printf("the filter dialog would not close\n");
            std::fflush(stdout);
            ExitProcess(3);
        }
        ++handled_;
    }
}
