#include "plugin/ui/win32/SliderDrag.h"

#include <algorithm>

#include "plugin/ui/SliderStepper.h"
#include "plugin/ui/win32/SliderBlock.h"

namespace {

bool dragging = false;

bool SystemLeftButtonDown() {
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

POINT SystemCursorPosition() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor;
}

constexpr SliderMouseSource kSystemMouse{SystemLeftButtonDown, SystemCursorPosition};
const SliderMouseSource* mouse = &kSystemMouse;

bool LeftButtonDown() {
    return mouse->leftButtonDown();
}

int CursorPosition(HWND slider, bool vertical) {
    POINT cursor = mouse->cursorPosition();
    ScreenToClient(slider, &cursor);
    return vertical ? cursor.y : cursor.x;
}

// Sends a notification; false when the parent's handling destroyed the slider.
bool Notify(HWND slider, HWND parent, int id, std::uint16_t code, int value) {
    SendMessageA(parent, WM_COMMAND, static_cast<WPARAM>(id),
                 static_cast<LPARAM>(SliderNotifyParam(code, value)));
    return IsWindow(slider) != FALSE;
}

// One movement of the drag to pos.
void FollowCursor(SliderData& data, int pos) {
    if ((data.flags & SLF_REPAINTMOVE) != 0) {
        MovePointer(data, ValueAtPosition(data, pos));
        return;
    }
    const RECT old = PointerRect(data);
    InvalidateRect(data.window, &old, TRUE);
    data.thumbX = static_cast<std::int16_t>(pos);
    const RECT now = PointerRect(data);
    InvalidateRect(data.window, &now, TRUE);
    UpdateWindow(data.window);
}

// The passes of the drag while the button is down, the first one always: the press that
// started the drag counts even when the button is already up again. Returns the last position,
// or -1 when the parent destroyed the slider.
int TrackWhileDown(HWND slider, HWND parent, int id, SliderData& data) {
    const bool vertical = data.vertical != 0;
    const int half = ThumbWidth(data) / 2;
    RECT client{};
    GetClientRect(slider, &client);
    const int extent = vertical ? client.bottom : client.right;
    const int maxPos = std::max(half, extent - half);
    SliderStepper stepper;
    int pos = half;
    do {
        pos = std::clamp(CursorPosition(slider, vertical), half, maxPos);
        const int value = ValueAtPosition(data, pos);
        std::uint16_t code = 0;
        switch (stepper.Step(pos, GetTickCount())) {
        case SliderStep::Track:
            FollowCursor(data, pos);
            code = SLN_TRACK;
            break;
        case SliderStep::Hold:
            code = SLN_HOLD;
            break;
        case SliderStep::HoldRepeat:
            code = SLN_HOLDREPEAT;
            break;
        case SliderStep::None:
            break;
        }
        if (code != 0 && !Notify(slider, parent, id, code, value)) {
            return -1;
        }
    } while (LeftButtonDown());
    return pos;
}

} // namespace

bool SliderDragging() {
    return dragging;
}

void SetSliderMouseSource(const SliderMouseSource* source) {
    mouse = source != nullptr ? source : &kSystemMouse;
}

void DragSlider(HWND slider) {
    const int id = GetDlgCtrlID(slider);
    HWND parent = GetParent(slider);
    int value = 0;
    {
        SliderBlock data(slider);
        if (!data) {
            return;
        }
        SetCapture(slider);
        dragging = true;
        const int pos = TrackWhileDown(slider, parent, id, *data.Get());
        if (pos < 0) {
            // The block went with the window.
            data.Abandon();
            dragging = false;
            ReleaseCapture();
            return;
        }
        value = ValueAtPosition(*data.Get(), pos);
        ReleaseCapture();
        MovePointer(*data.Get(), ValueAtPosition(*data.Get(), data->thumbX));
    }
    dragging = false;
    Notify(slider, parent, id, SLN_RELEASE, value);
}
