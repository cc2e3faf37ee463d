#include "plugin/ui/win32/AboutBox.h"

#include <array>

#include "plugin/resources/AboutIds.h"
#include "plugin/ui/AboutLayout.h"
#include "plugin/ui/win32/AboutSound.h"

namespace {

// The memory contexts, one picture selected into each.
enum Slot { kNormalFace, kSquashedFace, kMakerLogo, kSmallPrint, kProductLogo, kSlots };

struct AboutState {
    HINSTANCE module;
    const char* helpFile;
    AboutSound& sound;
    const void* dent = nullptr; // locked "WAVE" resources, loaded only with a wave device
    const void* pop = nullptr;
    std::array<HDC, kSlots> memory{};
    std::array<HBITMAP, kSlots> bitmaps{};
    std::array<HGDIOBJ, kSlots> replaced{};
};

const void* LockedWave(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}

// A device bitmap for `dc` from an 8-bit DIB resource (header, colour table, pixels), or
// null when the resource is missing or shorter than its header says.
HBITMAP DeviceFace(HINSTANCE module, const char* name, HDC dc) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* info = loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!info || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount != 8 || header.biClrUsed > 256 || header.biSize > size ||
        header.biWidth <= 0 || header.biWidth > 0x7FFF || header.biHeight == 0 ||
        header.biHeight < -0x7FFF || header.biHeight > 0x7FFF)
        return nullptr;
    const DWORD colours = header.biClrUsed ? header.biClrUsed : 256;
    const DWORD pixelsAt = header.biSize + colours * sizeof(RGBQUAD);
    const DWORD stride = (static_cast<DWORD>(header.biWidth) + 3) / 4 * 4;
    const DWORD rows = static_cast<DWORD>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (pixelsAt > size || stride * rows > size - pixelsAt)
        return nullptr;
    const auto* pixels = reinterpret_cast<const BYTE*>(info) + pixelsAt;
    return CreateDIBitmap(dc, &header, CBM_INIT, pixels, info, DIB_RGB_COLORS);
}

void Place(HWND box) {
    // The whole window, caption and frame included, is the box's size; the client area is
    // what is left inside it.
    SetWindowPos(box, nullptr, AboutCentredX(GetSystemMetrics(SM_CXSCREEN)),
                 AboutCentredY(GetSystemMetrics(SM_CYSCREEN)), kAboutWidth, kAboutHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(box, IDOK), nullptr, kAboutButtonX, kAboutOkY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(GetDlgItem(box, IDC_ABOUT_HELP), nullptr, kAboutButtonX, kAboutHelpY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void Load(HWND box, AboutState& state) {
    state.bitmaps[kMakerLogo] = LoadBitmapA(state.module, "TRELL");
    state.bitmaps[kSmallPrint] = LoadBitmapA(state.module, "SMALLPRT");
    state.bitmaps[kProductLogo] = LoadBitmapA(state.module, "QM_LGO");
    HDC dc = GetDC(box);
    const int bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    if (state.sound.WaveDevices() > 0) {
        state.dent = LockedWave(state.module, "sndDent");
        state.pop = LockedWave(state.module, "sndPop");
    }
    for (HDC& memory : state.memory)
        memory = CreateCompatibleDC(dc);
    if (UsesOneBitFaces(bitsPerPixel)) {
        state.bitmaps[kNormalFace] = LoadBitmapA(state.module, "QV_NORM1");
        state.bitmaps[kSquashedFace] = LoadBitmapA(state.module, "QV_SQSD1");
    } else {
        state.bitmaps[kNormalFace] = DeviceFace(state.module, "QV_NORM8", dc);
        state.bitmaps[kSquashedFace] = DeviceFace(state.module, "QV_SQSD8", dc);
    }
    for (int slot = 0; slot < kSlots; ++slot)
        if (state.memory[slot] && state.bitmaps[slot])
            state.replaced[slot] = SelectObject(state.memory[slot], state.bitmaps[slot]);
    ReleaseDC(box, dc);
}

void Release(HWND box, AboutState& state) {
    // A sound still playing reads its resource: stop it before letting go.
    if (state.dent || state.pop)
        state.sound.PlayWave(nullptr);
    state.dent = state.pop = nullptr;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (state.replaced[slot])
            SelectObject(state.memory[slot], state.replaced[slot]);
        if (state.bitmaps[slot])
            DeleteObject(state.bitmaps[slot]);
        if (state.memory[slot])
            DeleteDC(state.memory[slot]);
    }
    WinHelpA(box, state.helpFile, HELP_QUIT, 0);
}

void Copy(HDC dc, const AboutRect& place, HDC picture) {
    BitBlt(dc, place.x, place.y, place.width, place.height, picture, 0, 0, SRCCOPY);
}

void Paint(HWND box, const AboutState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    // The default pen and brush: a black frame around white, all over the client area.
    RECT client{};
    GetClientRect(box, &client);
    Rectangle(dc, 0, 0, client.right, client.bottom);
    Copy(dc, kAboutPictures[kAboutFace], state.memory[kNormalFace]);
    Copy(dc, kAboutPictures[kAboutProductLogo], state.memory[kProductLogo]);
    Copy(dc, kAboutPictures[kAboutSmallPrint], state.memory[kSmallPrint]);
    Copy(dc, kAboutPictures[kAboutMakerLogo], state.memory[kMakerLogo]);
    EndPaint(box, &paint);
}

// Blocks the thread for the whole animation, as the box always has: no message is handled
// while the face is squashed.
void SquashFace(HWND box, AboutState& state) {
    if (state.dent)
        state.sound.PlayWave(state.dent);
    HDC dc = GetDC(box);
    Copy(dc, kAboutPictures[kAboutFace], state.memory[kSquashedFace]);
    GdiFlush(); // the thread does not go idle before the wait ends: draw the face now
    const DWORD start = GetTickCount();
    while (!TickWaitOver(start, GetTickCount(), kSquashedFaceTicks))
        Sleep(1);
    if (state.pop)
        state.sound.PlayWave(state.pop);
    else
        state.sound.SimpleBeep();
    Copy(dc, kAboutPictures[kAboutFace], state.memory[kNormalFace]);
    ReleaseDC(box, dc);
}

AboutState* StateOf(HWND box) {
    return reinterpret_cast<AboutState*>(GetWindowLongPtrA(box, DWLP_USER));
}

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutState* state = StateOf(box);
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<AboutState*>(lParam);
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        Place(box);
        Load(box, *state);
        return TRUE;
    // The box is white with black text through its own colour messages, never by changing
    // the system colours, which every other program shares.
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_PAINT:
        if (!state)
            return FALSE;
        Paint(box, *state);
        return TRUE;
    case WM_LBUTTONDOWN:
        if (state &&
            IsOnAboutFace(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
            SquashFace(box, *state);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        // Only OK ends the box: Escape and closing (IDCANCEL) do nothing.
        case IDOK:
            EndDialog(box, IDOK);
            return TRUE;
        case IDC_ABOUT_HELP:
            WinHelpA(box, state->helpFile, HELP_CONTENTS, 0);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (state)
            Release(box, *state);
        return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowAboutBox(HINSTANCE module, HWND owner, const char* helpFile, AboutSound& sound) {
    AboutState state{module, helpFile, sound};
    DialogBoxParamA(module, "AboutDlg", owner, AboutProc, reinterpret_cast<LPARAM>(&state));
}
