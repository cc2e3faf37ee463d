#include "plugin/ui/win32/SliderBlock.h"

SliderBlock::SliderBlock(HWND slider) {
    handle_ = static_cast<HGLOBAL>(GetPropA(slider, kSliderDataProperty));
    if (handle_ != nullptr) {
        data_ = static_cast<SliderData*>(GlobalLock(handle_));
    }
}

SliderBlock::~SliderBlock() {
    if (data_ != nullptr) {
        GlobalUnlock(handle_);
    }
}

void SliderBlock::Abandon() {
    data_ = nullptr;
}

int ThumbWidth(const SliderData& data) {
    return LOWORD(data.thumbSize);
}

int ThumbHeight(const SliderData& data) {
    return HIWORD(data.thumbSize);
}

SliderScale ScaleOf(const SliderData& data) {
    RECT client{};
    GetClientRect(data.window, &client);
    return SliderScale{data.minimum, data.maximum, client.right - ThumbWidth(data),
                       (data.flags & SLF_LOGSCALE) != 0};
}

int ValueAtPosition(const SliderData& data, int x) {
    return SliderValueOfPixel(ScaleOf(data), x - ThumbWidth(data) / 2);
}

RECT PointerRect(const SliderData& data) {
    const int left = data.thumbX - ThumbWidth(data) / 2;
    return RECT{left, data.trackY, left + ThumbWidth(data) + 1,
                data.trackY + ThumbHeight(data) + 1};
}

void SetValue(SliderData& data, int value, bool repaint) {
    if (repaint) {
        const RECT old = PointerRect(data);
        InvalidateRect(data.window, &old, TRUE);
    }
    const SliderScale scale = ScaleOf(data);
    data.thumbX =
        static_cast<std::int16_t>(SliderPixelOfValue(scale, value) + ThumbWidth(data) / 2);
    data.value = static_cast<std::int16_t>(ValueAtPosition(data, data.thumbX));
    if (repaint) {
        const RECT now = PointerRect(data);
        InvalidateRect(data.window, &now, TRUE);
        UpdateWindow(data.window);
    }
}

void MovePointer(SliderData& data, int value) {
    const RECT old = PointerRect(data);
    SetValue(data, value, false);
    const RECT now = PointerRect(data);
    if (now.left != old.left || now.top != old.top) {
        InvalidateRect(data.window, &old, TRUE);
        InvalidateRect(data.window, &now, TRUE);
        UpdateWindow(data.window);
    }
}
