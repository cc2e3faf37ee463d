// What a slider draws, read back from the window: the button-face background, the track line
// along the top and the outline pointer; painters swapped by message.

#include <atomic>
#include <thread>

#include "tests/win32/slider/SliderChecks.h"
#include "tests/win32/support/TestTally.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

void Repaint(HWND slider) {
    InvalidateRect(slider, nullptr, TRUE);
    UpdateWindow(slider);
}

void FillRed(HWND slider, HDC dc, SliderData*) {
    RECT client{};
    GetClientRect(slider, &client);
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(dc, &client, red);
    DeleteObject(red);
}

// The pointer with its tip at (x, tip): outline black, inside the background.
void CheckPointerAt(HWND slider, int x, int tip, COLORREF face) {
    QM_CHECK_EQ(SliderPixel(slider, x, tip), kBlack);
    QM_CHECK_EQ(SliderPixel(slider, x, tip + 7), kBlack);     // base
    QM_CHECK_EQ(SliderPixel(slider, x - 7, tip + 7), kBlack); // left base corner
    QM_CHECK_EQ(SliderPixel(slider, x + 7, tip + 7), kBlack); // right base corner
    QM_CHECK_EQ(SliderPixel(slider, x, tip + 4), face);       // inside
}

void CheckTrackAndPointer(SliderTestWindow& window) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    SendMessageA(slider, SLM_SETTRACKY, static_cast<WPARAM>(-1), 0);
    SendMessageA(slider, SLM_SETVALUE, 10, 0);
    Repaint(slider);
    // The track runs along row 0 from half the pointer to the width less half.
    QM_CHECK_EQ(SliderPixel(slider, 7, 0), kBlack);
    QM_CHECK_EQ(SliderPixel(slider, 100, 0), kBlack);
    QM_CHECK_EQ(SliderPixel(slider, 156, 0), kBlack);
    QM_CHECK_EQ(SliderPixel(slider, 3, 0), face);
    QM_CHECK_EQ(SliderPixel(slider, 160, 0), face);
    QM_CHECK_EQ(SliderPixel(slider, 40, 6), face);
    CheckPointerAt(slider, 82, 12, face);
    // Setting a value moves the pointer on the window at once.
    SendMessageA(slider, SLM_SETVALUE, 15, 0);
    CheckPointerAt(slider, 113 + 7, 12, face);
    QM_CHECK_EQ(SliderPixel(slider, 82, 12), face);
    DestroyWindow(slider);

    // A vertical slider draws its track down column 0.
    HWND vertical = window.AddSlider(3002, 250, 10, 30, 120, SLS_VERTICAL);
    Repaint(vertical);
    QM_CHECK_EQ(SliderPixel(vertical, 0, 3), kBlack);
    QM_CHECK_EQ(SliderPixel(vertical, 0, 100), kBlack);
    QM_CHECK_EQ(SliderPixel(vertical, 0, 118), face);
    DestroyWindow(vertical);
}

void CheckPainterMessages(SliderTestWindow& window) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HWND slider = window.AddSlider(3001, 10, 10, kSliderWidth, kSliderHeight);
    SendMessageA(slider, SLM_SETPAINTER, 1, reinterpret_cast<LPARAM>(FillRed));
    Repaint(slider);
    QM_CHECK_EQ(SliderPixel(slider, 3, 15), kRed);
    QM_CHECK_EQ(SliderPixel(slider, 7, 1), kBlack); // the pointer is still drawn on top
    // A null painter brings the standard one back.
    SendMessageA(slider, SLM_SETPAINTER, 1, 0);
    Repaint(slider);
    QM_CHECK_EQ(SliderPixel(slider, 3, 15), face);

    // From another thread a procedure address means nothing here: it is ignored.
    std::atomic<bool> sent{false};
    std::thread other([slider, &sent] {
        SendMessageA(slider, SLM_SETPAINTER, 0, static_cast<LPARAM>(0x10));
        SendMessageA(slider, SLM_SETPAINTER, 1, static_cast<LPARAM>(0x10));
        sent = true;
    });
    window.PumpUntil([&] { return sent.load(); });
    other.join();
    const SliderData data = ReadBlock(slider);
    QM_CHECK(reinterpret_cast<LPARAM>(data.thumbPainter) != 0x10);
    QM_CHECK(reinterpret_cast<LPARAM>(data.backPainter) != 0x10);
    Repaint(slider);
    QM_CHECK_EQ(SliderPixel(slider, 3, 15), face);
    QM_CHECK_EQ(SliderPixel(slider, 7, 1), kBlack);
    DestroyWindow(slider);
}

} // namespace

void CheckPainting(SliderTestWindow& window) {
    CheckTrackAndPointer(window);
    CheckPainterMessages(window);
}
