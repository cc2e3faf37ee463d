// Sliders without their block (before it is set, after it is gone, or when it cannot be had)
// and ranges or tracks with no room: nothing crashes, nothing divides by zero.

#include <vector>

#include "tests/win32/slider/ImportPatch.h"
#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/support/TestTally.h"

namespace {

const UINT kSliderMessages[] = {SLM_SETPAINTER, SLM_SETUSERWORD, SLM_SETTHUMBSIZE, SLM_SETTRACKY,
                                SLM_SETVALUE,   SLM_GETPOS,      SLM_GETRANGE,     SLM_SETRANGE};

// Sends every slider message with arguments that would touch the block; true when each
// answered 0.
bool AllMessagesAnswerZero(HWND slider) {
    bool zero = true;
    for (UINT message : kSliderMessages)
        zero = SendMessageA(slider, message, 1, MAKELPARAM(3, 9)) == 0 && zero;
    return zero;
}

std::vector<LRESULT> answersBeforeCreation;

LRESULT CALLBACK SendBeforeCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char className[32] = "";
        HWND created = reinterpret_cast<HWND>(wParam);
        GetClassNameA(created, className, sizeof className);
        if (std::string(className) == "Slider") {
            answersBeforeCreation.push_back(AllMessagesAnswerZero(created) ? 0 : 1);
            answersBeforeCreation.push_back(SetSliderValue(created, 4, true) ? 1 : 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CheckBeforeTheBlock(SliderTestWindow& window) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, SendBeforeCreation, nullptr, GetCurrentThreadId());
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    UnhookWindowsHookEx(hook);
    QM_CHECK(slider != nullptr);
    QM_CHECK(answersBeforeCreation == (std::vector<LRESULT>{0, 0}));
    QM_CHECK_EQ(ReadBlock(slider).maximum, 20);
    DestroyWindow(slider);
}

void CheckWithoutTheBlock(SliderTestWindow& window) {
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    HANDLE block = RemovePropA(slider, "SLDATA");
    window.TakeNotices();
    QM_CHECK(AllMessagesAnswerZero(slider));
    QM_CHECK(!SetSliderValue(slider, 3, true));
    QM_CHECK(!SetSliderRange(slider, 3, 9));
    QM_CHECK(!SetSliderFlags(slider, SliderFlagsChange::Set, SLF_LOGSCALE));
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    QM_CHECK(window.TakeNotices().empty());
    // A paint without the block still validates the window, so it is not asked again.
    InvalidateRect(slider, nullptr, TRUE);
    UpdateWindow(slider);
    QM_CHECK(GetUpdateRect(slider, nullptr, FALSE) == FALSE);
    SetPropA(slider, "SLDATA", block);
    DestroyWindow(slider);
    QM_CHECK(GetPropA(slider, "SLDATA") == nullptr);
}

HGLOBAL WINAPI NoMemory(UINT, SIZE_T) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int CountChildren(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

void CheckNoMemory(SliderTestWindow& window) {
    const int children = CountChildren(window.Window());
    void* globalAlloc =
        PatchImport("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(NoMemory));
    QM_CHECK(globalAlloc != nullptr);
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    PatchImport("kernel32.dll", "GlobalAlloc", globalAlloc);
    QM_CHECK(slider == nullptr);
    QM_CHECK_EQ(CountChildren(window.Window()), children);
    HWND again = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    QM_CHECK(again != nullptr);
    DestroyWindow(again);
}

} // namespace

void CheckMissingBlock(SliderTestWindow& window) {
    CheckBeforeTheBlock(window);
    CheckWithoutTheBlock(window);
    CheckNoMemory(window);
}

// A range with maximum <= minimum, or a pointer as wide as the track: the pointer stays at the
// start, the value at the minimum.
void CheckEmptyRanges(SliderTestWindow& window) {
    HWND slider = window.AddSlider(3001, 20, 60, kSliderWidth, kSliderHeight);
    for (std::uint16_t flags : {std::uint16_t{0}, SLF_LOGSCALE}) {
        SetSliderFlags(slider, SliderFlagsChange::Replace, flags);
        SendMessageA(slider, SLM_SETRANGE, 0, MAKELPARAM(5, 5));
        SendMessageA(slider, SLM_SETVALUE, 9, 0);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 1, 0), 7);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 0, 0), 5);
        SendMessageA(slider, SLM_SETRANGE, 0, MAKELPARAM(9, 3));
        SendMessageA(slider, SLM_SETVALUE, 4, 0);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 1, 0), 7);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 0, 0), 9);
        SendMessageA(slider, SLM_SETRANGE, 0, MAKELPARAM(1, 500));
        SendMessageA(slider, SLM_SETTHUMBSIZE, 0, MAKELPARAM(kSliderWidth + 36, 7));
        SendMessageA(slider, SLM_SETVALUE, 250, 0);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 1, 0), 100);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 0, 0), 1);
        SendMessageA(slider, SLM_SETTHUMBSIZE, 0, MAKELPARAM(kSliderWidth, 7));
        SendMessageA(slider, SLM_SETVALUE, 250, 0);
        QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 0, 0), 1);
        SendMessageA(slider, SLM_SETTHUMBSIZE, 0, MAKELPARAM(14, 7));
    }
    // Dragging such a slider reports the minimum.
    SendMessageA(slider, SLM_SETRANGE, 0, MAKELPARAM(5, 5));
    const auto notices = Drag(window, slider, {{120, 50}, {30, 50}});
    QM_CHECK(!notices.empty() && notices.back().code == SLN_RELEASE && notices.back().value == 5);
    DestroyWindow(slider);
}
