#include "plugin/ui/win32/SliderWindow.h"

#include "plugin/ui/win32/SliderBlock.h"
#include "plugin/ui/win32/SliderDrag.h"
#include "plugin/ui/win32/SliderPainters.h"

namespace {

constexpr const char* kSliderClass = "Slider";

// The block a new slider starts with; false (and the window is not created) when there is no
// memory for it.
bool AttachBlock(HWND slider, const CREATESTRUCTA& create) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(SliderData));
    if (handle == nullptr) {
        return false;
    }
    auto* data = static_cast<SliderData*>(GlobalLock(handle));
    if (data == nullptr || SetPropA(slider, kSliderDataProperty, handle) == FALSE) {
        if (data != nullptr) {
            GlobalUnlock(handle);
        }
        GlobalFree(handle);
        return false;
    }
    data->window = slider;
    data->vertical = (static_cast<std::uint32_t>(create.style) & SLS_VERTICAL) != 0 ? 1 : 0;
    data->minimum = 0;
    data->maximum = 20;
    data->thumbX = 7;
    data->trackY = 1;
    data->thumbSize = MAKELONG(14, 7);
    data->thumbPainter = PaintSliderPointer;
    data->backPainter = PaintSliderTrack;
    GlobalUnlock(handle);
    return true;
}

void DetachBlock(HWND slider) {
    HGLOBAL handle = RemovePropA(slider, kSliderDataProperty);
    if (handle != nullptr) {
        GlobalFree(handle);
    }
}

// The slider messages; the result of the two that answer, 0 for the others.
LRESULT HandleSliderMessage(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) {
    SliderBlock data(slider);
    if (!data) {
        return 0;
    }
    switch (message) {
    case SLM_SETPAINTER: {
        // A procedure from another thread may be in another process; a null one restores the
        // standard painter.
        if (InSendMessage() != FALSE) {
            break;
        }
        auto painter = reinterpret_cast<SliderPainter>(lParam);
        if (wParam == 0) {
            data->thumbPainter = painter != nullptr ? painter : PaintSliderPointer;
        } else {
            data->backPainter = painter != nullptr ? painter : PaintSliderTrack;
        }
        break;
    }
    case SLM_SETUSERWORD:
        data->userWord = static_cast<std::int32_t>(lParam);
        break;
    case SLM_SETTHUMBSIZE:
        data->thumbSize = static_cast<std::uint32_t>(lParam);
        break;
    case SLM_SETTRACKY: {
        int y = static_cast<int>(wParam);
        if (y == -1) {
            RECT client{};
            GetClientRect(slider, &client);
            y = client.bottom - ThumbHeight(*data.Get()) - 1;
        }
        data->trackY = static_cast<std::int16_t>(y);
        break;
    }
    case SLM_SETVALUE:
        SetValue(*data.Get(), static_cast<int>(wParam), true);
        break;
    case SLM_GETPOS:
        return wParam == 0 ? data->value : data->thumbX;
    case SLM_GETRANGE:
        return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(data->minimum, data->maximum)));
    case SLM_SETRANGE:
        data->minimum = static_cast<std::int16_t>(LOWORD(lParam));
        data->maximum = static_cast<std::int16_t>(HIWORD(lParam));
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CALLBACK SliderProc(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return AttachBlock(slider, *reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
        DetachBlock(slider);
        break;
    case WM_PAINT:
        PaintSlider(slider);
        return 0;
    case WM_ERASEBKGND:
        if (SliderDragging()) {
            return 1;
        }
        break;
    case WM_LBUTTONDOWN:
        DragSlider(slider);
        return 0;
    case SLM_GETPOS:
    case SLM_GETRANGE:
        return HandleSliderMessage(slider, message, wParam, lParam);
    case SLM_SETPAINTER:
    case SLM_SETUSERWORD:
    case SLM_SETTHUMBSIZE:
    case SLM_SETTRACKY:
    case SLM_SETVALUE:
    case SLM_SETRANGE:
        HandleSliderMessage(slider, message, wParam, lParam);
        break;
    default:
        break;
    }
    return DefWindowProcA(slider, message, wParam, lParam);
}

} // namespace

bool RegisterSliderClass(HINSTANCE instance) {
    WNDCLASSA slider{};
    slider.lpfnWndProc = SliderProc;
    slider.hInstance = instance;
    slider.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    slider.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    slider.lpszClassName = kSliderClass;
    return RegisterClassA(&slider) != 0;
}

void UnregisterSliderClass(HINSTANCE instance) {
    UnregisterClassA(kSliderClass, instance);
}

bool SetSliderFlags(HWND slider, SliderFlagsChange change, std::uint16_t bits) {
    SliderBlock data(slider);
    if (!data) {
        return false;
    }
    switch (change) {
    case SliderFlagsChange::Replace:
        data->flags = bits;
        break;
    case SliderFlagsChange::Set:
        data->flags = static_cast<std::uint16_t>(data->flags | bits);
        break;
    case SliderFlagsChange::Clear:
        data->flags = static_cast<std::uint16_t>(data->flags & ~bits);
        break;
    }
    return true;
}

bool SetSliderRange(HWND slider, int minimum, int maximum) {
    SliderBlock data(slider);
    if (!data) {
        return false;
    }
    data->minimum = static_cast<std::int16_t>(minimum);
    data->maximum = static_cast<std::int16_t>(maximum);
    return true;
}

bool SetSliderValue(HWND slider, int value, bool repaint) {
    SliderBlock data(slider);
    if (!data) {
        return false;
    }
    SetValue(*data.Get(), value, repaint);
    return true;
}
