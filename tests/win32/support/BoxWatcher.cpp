#include "tests/win32/support/BoxWatcher.h"

#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr int kMessageTextId = 0xFFFF; // the static text control of a message box
constexpr DWORD kCloseAfterMs = 5000;
constexpr DWORD kGiveUpAfterMs = 15000;

} // namespace

BoxWatcher::BoxWatcher() : thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> BoxWatcher::TakeSeen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(seen_, {});
}

void BoxWatcher::Run() {
    while (!stop_) {
        EnumWindows(&BoxWatcher::Visit, reinterpret_cast<LPARAM>(this));
        // Forget boxes that have closed, so that a reused handle counts as new.
        std::erase_if(pressed_, [](const auto& entry) { return !IsWindow(entry.first); });
        Sleep(20);
    }
}

BOOL CALLBACK BoxWatcher::Visit(HWND window, LPARAM self) {
    if (IsOwnDialog(window))
        reinterpret_cast<BoxWatcher*>(self)->Handle(window);
    return TRUE;
}

void BoxWatcher::Handle(HWND box) {
    const auto known = std::find_if(pressed_.begin(), pressed_.end(),
                                    [box](const auto& e) { return e.first == box; });
    if (known != pressed_.end()) {
        const DWORD waited = GetTickCount() - known->second;
        if (waited > ScaledTimeout(kGiveUpAfterMs)) {
            std::printf("box \"%s\" would not close\n", WindowText(box).c_str());
            std::fflush(stdout);
            ExitProcess(3);
        }
        if (waited > ScaledTimeout(kCloseAfterMs))
            PostMessageA(box, WM_CLOSE, 0, 0);
        return;
    }
    SeenBox seen{WindowText(box), "", GetWindow(box, GW_OWNER), IDOK};
    if (HWND text = GetDlgItem(box, kMessageTextId))
        seen.text = WindowText(text);
    if (GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO))
        seen.pressed = answer_;
    else if (GetDlgItem(box, IDCANCEL))
        seen.pressed = IDCANCEL;
    const int button = seen.pressed;
    {
        // Recorded before the press, which lets the plug-in's call return.
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(std::move(seen));
    }
    pressed_.emplace_back(box, GetTickCount());
    Press(box, button);
}
