#include "tests/win32/slider/SliderTestWindow.h"

namespace {

constexpr const char* kParentClass = "SliderTestParent";

} // namespace

SliderTestWindow::SliderTestWindow(HINSTANCE instance, int left, int top) : instance_(instance) {
    WNDCLASSA parent{};
    parent.lpfnWndProc = Proc;
    parent.hInstance = instance;
    parent.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    parent.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    parent.lpszClassName = kParentClass;
    RegisterClassA(&parent);
    window_ = CreateWindowExA(0, kParentClass, "Slider test", WS_POPUP | WS_VISIBLE, left, top, 400,
                              200, nullptr, nullptr, instance, this);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

SliderTestWindow::~SliderTestWindow() {
    DestroyWindow(window_);
    UnregisterClassA(kParentClass, instance_);
}

HWND SliderTestWindow::AddSlider(int id, int x, int y, int width, int height, DWORD extraStyle) {
    HWND slider = CreateWindowExA(
        0, "Slider", "", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width, height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (slider != nullptr) {
        UpdateWindow(slider);
    }
    return slider;
}

std::vector<SliderNotice> SliderTestWindow::TakeNotices() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<SliderNotice> taken;
    taken.swap(notices_);
    return taken;
}

LRESULT CALLBACK SliderTestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SliderTestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr) {
        const auto param = static_cast<DWORD>(lParam);
        const SliderNotice notice{static_cast<int>(LOWORD(wParam)), HIWORD(param), LOWORD(param)};
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->notices_.push_back(notice);
        }
        if (self->reaction_) {
            self->reaction_(notice);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

COLORREF SliderPixel(HWND slider, int x, int y) {
    HDC dc = GetDC(slider);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(slider, dc);
    return colour;
}
