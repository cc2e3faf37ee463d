#pragma once
// A plain top-level window that holds sliders and records the notifications they send it.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

struct SliderNotice {
    int id;
    std::uint16_t code;
    std::uint16_t value;
};

class SliderTestWindow {
  public:
    // A visible window at (left, top) of the screen; its client area is at least 400 x 200.
    SliderTestWindow(HINSTANCE instance, int left, int top);
    ~SliderTestWindow();
    SliderTestWindow(const SliderTestWindow&) = delete;
    SliderTestWindow& operator=(const SliderTestWindow&) = delete;

    HWND Window() const { return window_; }

    // A "Slider" child with client size width x height at (x, y); null when creation fails.
    HWND AddSlider(int id, int x, int y, int width, int height, DWORD extraStyle = 0);

    // What the window does on each notification after recording it, as a dialog would (null:
    // nothing).
    void OnNotice(std::function<void(const SliderNotice&)> reaction) {
        reaction_ = std::move(reaction);
    }

    // The notifications received so far (from any thread's view), and forgets them.
    std::vector<SliderNotice> TakeNotices();

    // Runs the message loop until done() is true (checked after each message or 10 ms).
    template <class Done> void PumpUntil(Done done) {
        while (!done()) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::vector<SliderNotice> notices_;
    std::function<void(const SliderNotice&)> reaction_;
};

// The colour of the slider's client pixel (x, y) as it is on the window now.
COLORREF SliderPixel(HWND slider, int x, int y);
