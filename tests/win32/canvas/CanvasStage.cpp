#include "tests/win32/canvas/CanvasStage.h"

#include <cmath>

#include "plugin/preview/ViewSetup.h"
#include "plugin/resources/DialogIds.h"

namespace {

constexpr char kParentClass[] = "QmCanvasStage";

HWND Child(HWND parent, const char* className, DWORD style, int id, int x, int y, int w, int h) {
    return CreateWindowExA(0, className, "", WS_CHILD | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void RegisterParentClass(HINSTANCE instance) {
    WNDCLASSA parentClass{};
    parentClass.lpfnWndProc = DefWindowProcA;
    parentClass.hInstance = instance;
    parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    parentClass.lpszClassName = kParentClass;
    RegisterClassA(&parentClass); // a second stage finds it registered
}

} // namespace

std::vector<std::uint8_t> BumpPicture(int side) {
    std::vector<std::uint8_t> pixels(std::size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = (x - side / 2.0) / side, dy = (y - side / 2.0) / side;
            const double r = std::sqrt(dx * dx + dy * dy);
            const bool ring = r > 0.40 && r < 0.43;
            pixels[std::size_t(y) * side + x] =
                ring ? 0 : static_cast<std::uint8_t>(40 + 200 * std::exp(-12 * r * r));
        }
    return pixels;
}

CanvasStage::CanvasStage(HINSTANCE instance, int side, int placeholder)
    : picture_(BumpPicture(side)) {
    MeshSettings& s = globals_.settings;
    s.Meshtype = kRectangular;
    s.MeshRes = 1;
    s.MapAlt = 25.0f;
    s.RadOff = 20.0f;
    s.ModelScale = 1.0f;
    s.CylLen = 100.0f;
    s.DiskFormat = kFaceDxf;
    s.DoLatitude = s.DoLongitude = s.DoPerspective = 1;
    s.Xrot = s.Yrot = 0.5235988f;
    s.Tooltype = 1;
    s.viewCenterX = kViewNotPlaced;
    const auto n = static_cast<std::uint16_t>(side);
    mesh_.Make(GrayPixels{picture_.data(), n, n, n});
    model_ = {&globals_, &mesh_.Buffers(), &cache_};

    RegisterParentClass(instance);
    parent_ = CreateWindowExA(WS_EX_TOPMOST, kParentClass, "canvas stage",
                              WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, placeholder + 400,
                              placeholder + 120, nullptr, nullptr, instance, nullptr);
    Child(parent_, "STATIC", 0, IDC_CANVAS_PLACEHOLDER, 8, 8, placeholder, placeholder);
    const HWND list = Child(parent_, "COMBOBOX", WS_VISIBLE | CBS_DROPDOWNLIST, IDC_VIEW_LIST,
                            placeholder + 20, 8, 100, 200);
    for (const char* view : {"3/4 view", "Front", "Back", "Top", "Bottom", "Right", "Left"})
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(view));
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    Child(parent_, "STATIC", WS_VISIBLE, IDC_STATUS_LINE, 8, placeholder + 20, 120, 16);
    Child(parent_, "STATIC", WS_VISIBLE | SS_BLACKFRAME, IDC_PROGRESS_BAR, 140, placeholder + 20,
          120, 16);
    for (int line = 0; line < 4; ++line)
        Child(parent_, "STATIC", WS_VISIBLE, IDC_STATISTICS_FIRST + line, placeholder + 20,
              40 + 18 * line, 260, 16);
    canvas_ = CreatePreviewCanvas(parent_, instance, model_);
    InitView(s);
    SetForegroundWindow(parent_);
    SetActiveWindow(parent_);
    UpdateWindow(parent_);
    Pump(50);
}

CanvasStage::~CanvasStage() {
    DestroyWindow(parent_);
}

POINT CanvasStage::ClientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(canvas_, &origin);
    return origin;
}

void CanvasStage::Repaint() {
    cache_.ViewChanged();
    InvalidateRect(canvas_, nullptr, TRUE);
    UpdateWindow(canvas_);
}

std::vector<int> CanvasStage::ReadPixels() const {
    RECT client{};
    GetClientRect(canvas_, &client);
    const int w = client.right, h = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const HDC canvas = GetDC(canvas_);
    BitBlt(memory, 0, 0, w, h, canvas, 0, 0, SRCCOPY);
    ReleaseDC(canvas_, canvas);
    GdiFlush();
    std::vector<int> gray(std::size_t(w) * h);
    const auto* pixel = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < gray.size(); ++i, pixel += 4)
        gray[i] = pixel[0] == pixel[1] && pixel[1] == pixel[2] ? pixel[2] : -1;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return gray;
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}
