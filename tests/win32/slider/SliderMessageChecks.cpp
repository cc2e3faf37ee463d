// A new slider's block, and every slider message as the dialog sends them.

#include <thread>

#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/support/TestTally.h"

namespace {

int GetPos(HWND slider, WPARAM which) {
    return static_cast<int>(SendMessageA(slider, SLM_GETPOS, which, 0));
}

void CheckNewBlock(SliderTestWindow& window) {
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    QM_CHECK(slider != nullptr);
    HGLOBAL handle = GetPropA(slider, "SLDATA");
    QM_CHECK(handle != nullptr);
    // A movable block: its handle is not its address.
    void* address = GlobalLock(handle);
    QM_CHECK(address != nullptr && address != handle);
    GlobalUnlock(handle);
    QM_CHECK(GlobalSize(handle) >= sizeof(SliderData));
    const SliderData data = ReadBlock(slider);
    QM_CHECK(data.window == slider);
    QM_CHECK_EQ(data.vertical, 0);
    QM_CHECK_EQ(data.minimum, 0);
    QM_CHECK_EQ(data.maximum, 20);
    QM_CHECK_EQ(data.thumbX, 7);
    QM_CHECK_EQ(data.value, 0);
    QM_CHECK_EQ(data.trackY, 1);
    QM_CHECK_EQ(data.thumbSize, (7u << 16) | 14u);
    QM_CHECK_EQ(data.flags, 0);
    QM_CHECK_EQ(data.userWord, 0);
    QM_CHECK(data.thumbPainter != nullptr && data.backPainter != nullptr);
    QM_CHECK_EQ(SendMessageA(slider, SLM_GETRANGE, 0, 0), MAKELONG(0, 20));
    QM_CHECK_EQ(GetPos(slider, 0), 0);
    QM_CHECK_EQ(GetPos(slider, 1), 7);
    // Untouched, the scale is linear: 10 of 0..20 is the middle of the 150-pixel span.
    SendMessageA(slider, SLM_SETVALUE, 10, 0);
    QM_CHECK_EQ(GetPos(slider, 1), 75 + 7);
    QM_CHECK_EQ(BlockLocks(slider), 0u);
    DestroyWindow(slider);
    QM_CHECK(!IsWindow(slider));

    HWND vertical = window.AddSlider(3002, 10, 10, 20, 120, SLS_VERTICAL);
    QM_CHECK_EQ(ReadBlock(vertical).vertical, 1);
    DestroyWindow(vertical);
}

void CheckLogScaleMessages(SliderTestWindow& window) {
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    SendMessageA(slider, SLM_SETRANGE, 0, MAKELPARAM(1, 500));
    QM_CHECK(SetSliderFlags(slider, SliderFlagsChange::Replace, SLF_LOGSCALE));
    QM_CHECK_EQ(SendMessageA(slider, SLM_GETRANGE, 0, 0), MAKELONG(1, 500));
    // 25 sits at span pixel 34, which stands for 24: the slider keeps 24.
    SendMessageA(slider, SLM_SETVALUE, 25, 0);
    QM_CHECK_EQ(GetPos(slider, 1), 34 + 7);
    QM_CHECK_EQ(GetPos(slider, 0), 24);
    SendMessageA(slider, SLM_SETVALUE, 1, 0);
    QM_CHECK_EQ(GetPos(slider, 1), 7);
    QM_CHECK_EQ(GetPos(slider, 0), 1);
    SendMessageA(slider, SLM_SETVALUE, 9999, 0);
    QM_CHECK_EQ(GetPos(slider, 0), 500);
    QM_CHECK_EQ(GetPos(slider, 1), 150 + 7);
    // The direct operation without repainting stores the same.
    QM_CHECK(SetSliderValue(slider, 25, false));
    QM_CHECK_EQ(GetPos(slider, 0), 24);

    QM_CHECK(SetSliderFlags(slider, SliderFlagsChange::Set, SLF_REPAINTMOVE));
    QM_CHECK_EQ(ReadBlock(slider).flags, SLF_LOGSCALE | SLF_REPAINTMOVE);
    QM_CHECK(SetSliderFlags(slider, SliderFlagsChange::Clear, SLF_LOGSCALE));
    QM_CHECK_EQ(ReadBlock(slider).flags, SLF_REPAINTMOVE);
    SetSliderFlags(slider, SliderFlagsChange::Replace, SLF_LOGSCALE);

    // Through zero: values below it come back sign-extended.
    QM_CHECK(SetSliderRange(slider, -100, 100));
    QM_CHECK_EQ(static_cast<DWORD>(SendMessageA(slider, SLM_GETRANGE, 0, 0)), 0x0064FF9Cu);
    SendMessageA(slider, SLM_SETVALUE, static_cast<WPARAM>(-100), 0);
    QM_CHECK_EQ(GetPos(slider, 0), -100);
    SendMessageA(slider, SLM_SETVALUE, 0, 0);
    QM_CHECK_EQ(GetPos(slider, 1), 75 + 7);
    SendMessageA(slider, SLM_SETVALUE, static_cast<WPARAM>(-30), 0);
    QM_CHECK(GetPos(slider, 0) < 0 && GetPos(slider, 0) >= -30);
    QM_CHECK(GetPos(slider, 1) < 75 + 7);
    QM_CHECK_EQ(BlockLocks(slider), 0u);
    DestroyWindow(slider);
}

void CheckLayoutMessages(SliderTestWindow& window) {
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    SendMessageA(slider, SLM_SETUSERWORD, 0, 0x12345678);
    QM_CHECK_EQ(ReadBlock(slider).userWord, 0x12345678);
    // -1 puts the tip h + 1 above the bottom: 20 - 7 - 1.
    SendMessageA(slider, SLM_SETTRACKY, static_cast<WPARAM>(-1), 0);
    QM_CHECK_EQ(ReadBlock(slider).trackY, 12);
    SendMessageA(slider, SLM_SETTRACKY, 3, 0);
    QM_CHECK_EQ(ReadBlock(slider).trackY, 3);
    SendMessageA(slider, SLM_SETTHUMBSIZE, 0, MAKELPARAM(20, 9));
    QM_CHECK_EQ(ReadBlock(slider).thumbSize, (9u << 16) | 20u);
    // A wider pointer leaves a shorter span: 20 of 0..20 is at 164 - 20, centre + 10.
    SendMessageA(slider, SLM_SETVALUE, 20, 0);
    QM_CHECK_EQ(GetPos(slider, 1), 144 + 10);
    DestroyWindow(slider);
}

} // namespace

void CheckCreationAndMessages(SliderTestWindow& window) {
    CheckNewBlock(window);
    CheckLogScaleMessages(window);
    CheckLayoutMessages(window);
}
