// The "Slider" window class under Wine: a plain test window holds sliders and records their
// notifications; the sliders are driven by their messages and by posted button messages with
// a scripted mouse for the drag loop, and what they paint is read back from the window.

#include <windows.h>

#include "plugin/ui/win32/SliderWindow.h"
#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/support/TestTally.h"

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    QM_CHECK(RegisterSliderClass(instance));
    {
        SliderTestWindow window(instance, 100, 100);
        CheckCreationAndMessages(window);
        CheckPainting(window);
        CheckDrags(window);
        CheckMissingBlock(window);
        CheckEmptyRanges(window);
    }
    UnregisterSliderClass(instance);
    // Unregistered, the class makes no more windows.
    QM_CHECK(CreateWindowExA(0, "Slider", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                             nullptr) == nullptr);
    return Tally().Finish();
}
