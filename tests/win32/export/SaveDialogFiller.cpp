#include "tests/win32/export/SaveDialogFiller.h"

#include "tests/win32/support/FilterDialogDriver.h"
#include "tests/win32/support/WindowControls.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kFileNameEdit = 0x480;  // edt1
constexpr int kFileNameCombo = 0x47c; // cmb13, in newer dialog templates
constexpr int kHelpButton = 0x40e;    // pshHelp
constexpr int kMessageText = 0xFFFF;

} // namespace

SaveDialogFiller::SaveDialogFiller() : thread_([this] { Run(); }) {}

SaveDialogFiller::~SaveDialogFiller() {
    stop_ = true;
    thread_.join();
}

void SaveDialogFiller::Choose(std::optional<std::string> path) {
    std::lock_guard<std::mutex> lock(mutex_);
    path_ = std::move(path);
}

std::vector<SeenDialog> SaveDialogFiller::TakeSeen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(seen_, {});
}

void SaveDialogFiller::Run() {
    while (!stop_) {
        EnumWindows(&SaveDialogFiller::Visit, reinterpret_cast<LPARAM>(this));
        std::erase_if(handled_, [](HWND window) { return !IsWindow(window); });
        Sleep(50);
    }
}

BOOL CALLBACK SaveDialogFiller::Visit(HWND window, LPARAM self) {
    if (IsOwnDialog(window) && !IsFilterDialog(window))
        reinterpret_cast<SaveDialogFiller*>(self)->Handle(window);
    return TRUE;
}

void SaveDialogFiller::Handle(HWND dialog) {
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end())
        return;
    handled_.push_back(dialog);
    HWND name = GetDlgItem(dialog, kFileNameEdit);
    if (!name)
        name = GetDlgItem(dialog, kFileNameCombo);
    std::lock_guard<std::mutex> lock(mutex_);
    SeenDialog seen{WindowText(dialog), "", GetWindow(dialog, GW_OWNER), name != nullptr,
                    GetDlgItem(dialog, kHelpButton) != nullptr};
    if (!name) {
        if (HWND text = GetDlgItem(dialog, kMessageText))
            seen.text = WindowText(text);
        Press(dialog, GetDlgItem(dialog, IDYES) ? IDYES : IDOK);
    } else if (path_) {
        SetWindowTextA(name, path_->c_str());
        Press(dialog, IDOK);
    } else {
        Press(dialog, IDCANCEL);
    }
    seen_.push_back(seen);
}
