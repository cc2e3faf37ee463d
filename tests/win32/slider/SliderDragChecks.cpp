// Drags with synthesized mouse input: what the parent is told while the button is down, held
// still and released, and where the pointer ends up.

#include <algorithm>

#include "plugin/ui/SliderScale.h"
#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/support/TestTally.h"

namespace {

constexpr int kId = 3002;
constexpr int kHalf = 7;
// The dialog's scale for ModelScale and RadOff.
const SliderScale kScale{1, 5000, kSliderWidth - 2 * kHalf, true};

int ValueAt(int x) {
    return SliderValueOfPixel(kScale, x - kHalf);
}

HWND DialogSlider(SliderTestWindow& window, std::uint16_t flags) {
    HWND slider = window.AddSlider(kId, 20, 60, kSliderWidth, kSliderHeight);
    SetSliderFlags(slider, SliderFlagsChange::Replace, flags);
    SetSliderRange(slider, 1, 5000);
    SetSliderValue(slider, 1, true);
    return slider;
}

std::vector<SliderNotice> OfCode(const std::vector<SliderNotice>& notices, std::uint16_t code) {
    std::vector<SliderNotice> found;
    std::copy_if(notices.begin(), notices.end(), std::back_inserter(found),
                 [code](const SliderNotice& notice) { return notice.code == code; });
    return found;
}

void CheckClick(SliderTestWindow& window) {
    HWND slider = DialogSlider(window, SLF_LOGSCALE);
    const auto notices = Drag(window, slider, {{60, 0}});
    QM_CHECK_EQ(notices.size(), 2u);
    if (notices.size() == 2) {
        QM_CHECK_EQ(notices[0].id, kId);
        QM_CHECK_EQ(notices[0].code, SLN_TRACK);
        QM_CHECK_EQ(notices[1].code, SLN_RELEASE);
        QM_CHECK_EQ(notices[0].value, ValueAt(60));
        QM_CHECK_EQ(notices[1].value, ValueAt(60));
    }
    DestroyWindow(slider);
}

// Every movement is reported with the value of the cursor's position; on release the pointer
// snaps to the position its value stands for.
void CheckMoves(SliderTestWindow& window, std::uint16_t flags) {
    HWND slider = DialogSlider(window, flags);
    const auto notices = Drag(window, slider, {{20, 80}, {60, 80}, {121, 80}});
    const auto tracks = OfCode(notices, SLN_TRACK);
    QM_CHECK_EQ(tracks.size(), 3u);
    if (tracks.size() == 3) {
        QM_CHECK_EQ(tracks[0].value, ValueAt(20));
        QM_CHECK_EQ(tracks[1].value, ValueAt(60));
        QM_CHECK_EQ(tracks[2].value, ValueAt(121));
    }
    QM_CHECK(OfCode(notices, SLN_HOLD).empty());
    const auto releases = OfCode(notices, SLN_RELEASE);
    QM_CHECK_EQ(releases.size(), 1u);
    QM_CHECK(!notices.empty() && notices.back().code == SLN_RELEASE);
    const int value = ValueAt(121);
    QM_CHECK(!releases.empty() && releases[0].value == value);
    const int thumbX = SliderPixelOfValue(kScale, value) + kHalf;
    QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 1, 0), thumbX);
    QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 0, 0), ValueAt(thumbX));
    QM_CHECK_EQ(SliderPixel(slider, thumbX, 1), RGB(0, 0, 0));
    QM_CHECK_EQ(SliderPixel(slider, 20, 1), GetSysColor(COLOR_BTNFACE));
    QM_CHECK_EQ(BlockLocks(slider), 0u);
    DestroyWindow(slider);
}

void CheckHold(SliderTestWindow& window) {
    HWND slider = DialogSlider(window, SLF_LOGSCALE);
    const auto notices = Drag(window, slider, {{90, 700}});
    QM_CHECK_EQ(OfCode(notices, SLN_TRACK).size(), 1u);
    QM_CHECK_EQ(OfCode(notices, SLN_HOLD).size(), 1u);
    QM_CHECK(!OfCode(notices, SLN_HOLDREPEAT).empty());
    // The first hold report comes before the repeats, all with the held value.
    const auto hold = std::find_if(notices.begin(), notices.end(),
                                   [](const SliderNotice& n) { return n.code != SLN_TRACK; });
    QM_CHECK(hold != notices.end() && hold->code == SLN_HOLD);
    for (const SliderNotice& notice : notices)
        QM_CHECK_EQ(notice.value, ValueAt(90));
    DestroyWindow(slider);
}

// The capture keeps the drag going past the ends; the value stops at the range's ends.
void CheckPastTheEnds(SliderTestWindow& window) {
    HWND slider = DialogSlider(window, SLF_LOGSCALE);
    const auto notices = Drag(window, slider, {{60, 50}, {-15, 50}, {300, 50}});
    const auto tracks = OfCode(notices, SLN_TRACK);
    QM_CHECK_EQ(tracks.size(), 3u);
    if (tracks.size() == 3) {
        QM_CHECK_EQ(tracks[1].value, 1);
        QM_CHECK_EQ(tracks[2].value, 5000);
    }
    QM_CHECK(!notices.empty() && notices.back().value == 5000);
    QM_CHECK_EQ(SendMessageA(slider, SLM_GETPOS, 1, 0), kSliderWidth - kHalf);
    DestroyWindow(slider);
}

// The parent may destroy the slider while handling a report from inside the drag: the drag
// ends there, with no report from a slider that is gone, and the next slider drags normally.
void CheckDestroyedWhileDragging(SliderTestWindow& window) {
    HWND slider = DialogSlider(window, SLF_LOGSCALE);
    window.OnNotice([slider](const SliderNotice& notice) {
        if (notice.code == SLN_TRACK) {
            DestroyWindow(slider);
        }
    });
    const auto notices = Drag(window, slider, {{40, 50}, {80, 50}});
    window.OnNotice(nullptr);
    QM_CHECK(!IsWindow(slider));
    QM_CHECK_EQ(notices.size(), 1u);
    QM_CHECK(GetCapture() == nullptr);
    CheckClick(window);
}

// The erase the platform asks for while the pointer moves is skipped during a drag (the
// off-screen paint covers the window), and done by the class brush otherwise.
void CheckNoEraseWhileDragging(SliderTestWindow& window) {
    HWND slider = DialogSlider(window, SLF_LOGSCALE);
    HDC screen = GetDC(slider);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSliderWidth, kSliderHeight);
    SelectObject(memory, bitmap);
    const COLORREF marker = RGB(0, 200, 0);
    const auto erase = [&] {
        SetPixel(memory, 30, 10, marker);
        const LRESULT done =
            SendMessageA(slider, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        return done != 0 ? GetPixel(memory, 30, 10) : CLR_INVALID;
    };
    COLORREF duringDrag = CLR_INVALID;
    window.OnNotice([&](const SliderNotice& notice) {
        if (notice.code == SLN_TRACK) {
            duringDrag = erase();
        }
    });
    Drag(window, slider, {{40, 20}});
    window.OnNotice(nullptr);
    QM_CHECK_EQ(duringDrag, marker);
    QM_CHECK_EQ(erase(), GetSysColor(COLOR_WINDOW));
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(slider, screen);
    DestroyWindow(slider);
}

} // namespace

void CheckDrags(SliderTestWindow& window) {
    CheckClick(window);
    CheckMoves(window, SLF_LOGSCALE);
    CheckMoves(window, SLF_LOGSCALE | SLF_REPAINTMOVE);
    CheckHold(window);
    CheckPastTheEnds(window);
    CheckDestroyedWhileDragging(window);
    CheckNoEraseWhileDragging(window);
}
