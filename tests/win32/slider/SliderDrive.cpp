#include <atomic>
#include <thread>

#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/slider/SliderMouse.h"

SliderData ReadBlock(HWND slider) {
    HGLOBAL handle = GetPropA(slider, kSliderDataProperty);
    SliderData copy{};
    if (const auto* data = static_cast<const SliderData*>(GlobalLock(handle))) {
        copy = *data;
        GlobalUnlock(handle);
    }
    return copy;
}

UINT BlockLocks(HWND slider) {
    return GlobalFlags(GetPropA(slider, kSliderDataProperty)) & GMEM_LOCKCOUNT;
}

std::vector<SliderNotice> Drag(SliderTestWindow& window, HWND slider,
                               const std::vector<DragStep>& steps) {
    window.TakeNotices();
    const int y = kSliderHeight / 2;
    std::atomic<bool> released{false};
    ScriptedMouse mouse;
    std::thread driver([&] {
        mouse.MoveTo(slider, steps.front().x, y);
        mouse.Press(slider);
        for (const DragStep& step : steps) {
            mouse.MoveTo(slider, step.x, y);
            Sleep(step.pauseMs);
        }
        mouse.Release(slider);
        released = true;
    });
    // The drag loop runs inside the dispatch of the press; the notices it sends arrive here.
    window.PumpUntil([&] { return released.load(); });
    driver.join();
    const DWORD start = GetTickCount();
    window.PumpUntil([&] { return GetTickCount() - start > 200; });
    return window.TakeNotices();
}
