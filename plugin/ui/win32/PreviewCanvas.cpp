#include "plugin/ui/win32/PreviewCanvas.h"

#include <iterator>
#include <new>

#include "plugin/preview/PaintCanvas.h"
#include "plugin/resources/DialogIds.h"
#include "plugin/ui/CanvasTools.h"
#include "plugin/ui/win32/DialogPreviewHost.h"
#include "plugin/ui/win32/GdiSurface.h"

namespace {

// Loaded in CanvasCursor order.
constexpr const char* kCursorNames[] = {"mag_glass", "hand_cur", "arrow_cur", "magmin_cur"};
constexpr int kCursorCount = static_cast<int>(std::size(kCursorNames));

// What one canvas window keeps from its creation to its destruction.
struct CanvasState {
    CanvasTools tools;
    HPALETTE grayPalette = nullptr;
    HCURSOR cursors[kCursorCount] = {};
};

CanvasState* StateOf(HWND window) {
    return reinterpret_cast<CanvasState*>(GetWindowLongPtrA(window, 0));
}

// A model the canvas can work with: all three parts present.
CanvasModel* CompleteModel(HWND window) {
    CanvasModel* model = GetCanvasModel(window);
    return model && model->globals && model->buffers && model->cache ? model : nullptr;
}

// The canvas as its tools see it, for the span of one message.
class Win32CanvasWindow final : public CanvasWindow {
  public:
    Win32CanvasWindow(HWND window, CanvasState& state)
        : window_(window), dc_(GetDC(window)), state_(state), surface_(dc_, window),
          host_(GetParent(window)) {}
    ~Win32CanvasWindow() override { ReleaseDC(window_, dc_); }
    Win32CanvasWindow(const Win32CanvasWindow&) = delete;
    Win32CanvasWindow& operator=(const Win32CanvasWindow&) = delete;

    void ShowCursor(CanvasCursor cursor) override {
        const auto index = static_cast<int>(cursor);
        const HCURSOR shown = index < kCursorCount ? state_.cursors[index] : nullptr;
        ::SetCursor(shown ? shown : LoadCursorA(nullptr, IDC_CROSS));
    }
    void TakeFocus() override { SetFocus(window_); }
    void ClearViewList() override {
        SendDlgItemMessageA(GetParent(window_), IDC_VIEW_LIST, CB_SETCURSEL, WPARAM(-1), 0);
    }
    void CaptureMouse(bool capture) override {
        if (capture)
            SetCapture(window_);
        else
            ReleaseCapture();
    }
    void Repaint() override {
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
    DrawingSurface& Surface() override { return surface_; }
    PreviewHost& Host() override { return host_; }

  private:
    HWND window_;
    HDC dc_;
    CanvasState& state_;
    GdiSurface surface_;
    DialogPreviewHost host_;
};

PointerPlace WherePointerIs(HWND window) {
    POINT pointer{};
    RECT client{};
    GetCursorPos(&pointer);
    ScreenToClient(window, &pointer);
    GetClientRect(window, &client);
    return {{pointer.x, pointer.y}, client.right, client.bottom};
}

CanvasKey KeyOf(WPARAM key) {
    if (key == VK_SHIFT)
        return CanvasKey::Shift;
    return key == VK_CONTROL ? CanvasKey::Ctrl : CanvasKey::Other;
}

CanvasPoint PointOf(LPARAM position) {
    // Signed: a captured drag reports positions left of and above the canvas as negative.
    return {static_cast<std::int16_t>(LOWORD(position)),
            static_cast<std::int16_t>(HIWORD(position))};
}

bool Create(HWND window, const CREATESTRUCTA& create) {
    auto* state = new (std::nothrow) CanvasState;
    if (!state)
        return false;
    state->grayPalette = CreateGrayPalette();
    for (int i = 0; i < kCursorCount; ++i)
        state->cursors[i] = LoadCursorA(create.hInstance, kCursorNames[i]);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    // A model left from an earlier canvas is not this one's: the dialog sets it anew.
    SetCanvasModel(window, nullptr);
    return true;
}

void Destroy(HWND window) {
    CanvasState* state = StateOf(window);
    SetWindowLongPtrA(window, 0, 0);
    // The model dies with the dialog; nothing may reach it through the class any more.
    SetCanvasModel(window, nullptr);
    if (!state)
        return;
    if (state->grayPalette)
        DeleteObject(state->grayPalette);
    delete state;
}

void Paint(HWND window, CanvasState& state) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    CanvasModel* model = CompleteModel(window);
    if (dc && model) {
        const HPALETTE previous = SelectPalette(dc, state.grayPalette, FALSE);
        RealizePalette(dc);
        {
            GdiSurface surface(dc, window);
            DialogPreviewHost host(GetParent(window));
            PaintCanvas(host, surface, model->globals->settings, *model->buffers, *model->cache);
        }
        SelectPalette(dc, previous, FALSE);
    }
    EndPaint(window, &paint);
}

bool IsToolMessage(UINT message) {
    return message == WM_SETCURSOR || message == WM_KEYDOWN || message == WM_KEYUP ||
           message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE || message == WM_LBUTTONUP;
}

// The messages that need the window's state and a complete model; false leaves the message
// to the default procedure.
bool HandleTool(HWND window, UINT message, WPARAM wParam, LPARAM lParam, CanvasState& state) {
    CanvasModel* model = IsToolMessage(message) ? CompleteModel(window) : nullptr;
    if (!model)
        return false;
    MeshSettings& settings = model->globals->settings;
    Win32CanvasWindow canvas(window, state);
    switch (message) {
    case WM_SETCURSOR:
        state.tools.SetCursor(canvas, GetActiveWindow() == GetParent(window), settings.Tooltype);
        return true;
    case WM_KEYDOWN:
        state.tools.KeyDown(canvas, KeyOf(wParam), WherePointerIs(window), settings.Tooltype);
        return true;
    case WM_KEYUP:
        state.tools.KeyUp(canvas, KeyOf(wParam), WherePointerIs(window));
        return true;
    case WM_LBUTTONDOWN:
        state.tools.ButtonDown(canvas, settings, PointOf(lParam));
        return true;
    case WM_MOUSEMOVE:
        state.tools.MouseMove(canvas, settings, PointOf(lParam), (wParam & MK_LBUTTON) != 0,
                              (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0);
        return true;
    case WM_LBUTTONUP:
        state.tools.ButtonUp(canvas, settings, *model->cache);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && !Create(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam)))
        return FALSE;
    if (message == WM_NCDESTROY)
        Destroy(window);
    CanvasState* state = StateOf(window);
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
        state->tools.FocusGained();
        return 0;
    case WM_KILLFOCUS:
        state->tools.FocusLost();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_PAINT:
        Paint(window, *state);
        return 0;
    default:
        if (HandleTool(window, message, wParam, lParam, *state))
            return message == WM_SETCURSOR ? TRUE : 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

bool RegisterCanvasClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = CanvasProc;
    windowClass.cbClsExtra = kCanvasClassBytes;
    windowClass.cbWndExtra = sizeof(CanvasState*);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kCanvasClassName;
    return RegisterClassA(&windowClass) != 0;
}

void UnregisterCanvasClass(HINSTANCE instance) {
    UnregisterClassA(kCanvasClassName, instance);
}

namespace {

bool IsCanvas(HWND window) {
    char name[sizeof(kCanvasClassName) + 1] = {};
    return window && GetClassNameA(window, name, sizeof(name)) > 0 &&
           lstrcmpiA(name, kCanvasClassName) == 0;
}

} // namespace

void SetCanvasModel(HWND canvas, CanvasModel* model) {
    if (IsCanvas(canvas))
        SetClassLongPtrA(canvas, 0, reinterpret_cast<LONG_PTR>(model));
}

CanvasModel* GetCanvasModel(HWND canvas) {
    return IsCanvas(canvas) ? reinterpret_cast<CanvasModel*>(GetClassLongPtrA(canvas, 0)) : nullptr;
}

HWND CreatePreviewCanvas(HWND dialog, HINSTANCE instance, CanvasModel& model) {
    const HWND placeholder = GetDlgItem(dialog, IDC_CANVAS_PLACEHOLDER);
    RECT place{};
    if (!placeholder || !GetWindowRect(placeholder, &place))
        return nullptr;
    POINT corner{place.left, place.top};
    ScreenToClient(dialog, &corner);
    const HWND canvas = CreateWindowExA(
        0, kCanvasClassName, "", WS_CHILD | WS_VISIBLE | WS_BORDER, corner.x, corner.y,
        place.right - place.left + 1, place.bottom - place.top + 1, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CANVAS)), instance, nullptr);
    if (!canvas)
        return nullptr;
    SetCanvasModel(canvas, &model);
    RECT client{};
    GetClientRect(canvas, &client);
    if (model.globals)
        model.globals->settings.canvasRect = {client.left, client.top, client.right, client.bottom};
    return canvas;
}
