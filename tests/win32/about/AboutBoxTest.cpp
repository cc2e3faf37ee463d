// The About box under Wine, as a user meets it: through ENTRYPOINT1's about selector, and on
// its own with a sound seam that counts what would be heard (nothing can be heard here).
// Usage: win32_about_test <path of quorms32.8be>

#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "common/ExportCodes.h"
#include "plugin/resources/AboutIds.h"
#include "plugin/ui/win32/AboutBox.h"
#include "plugin/ui/win32/AboutSound.h"
#include "tests/win32/about/AboutResourcesCheck.h"
#include "tests/win32/about/AboutScreen.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr DWORD kOpenTimeout = 15000;
constexpr int kColourIds[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};

struct SystemColours {
    COLORREF window = GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    bool operator==(const SystemColours&) const = default;
};

void SetSystemColours(const SystemColours& colours) {
    const COLORREF values[] = {colours.window, colours.text};
    SetSysColors(2, kColourIds, values);
}

// The normal or squashed face, in the depth the screen gets: 1 bit on screens of 8 bits
// per pixel or fewer, 8 bits otherwise.
int FaceMismatches(HWND box, HMODULE module, bool squashed) {
    HDC dc = GetDC(box);
    const bool oneBit = UsesOneBitFaces(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES));
    ReleaseDC(box, dc);
    const char* face =
        squashed ? (oneBit ? "QV_SQSD1" : "QV_SQSD8") : (oneBit ? "QV_NORM1" : "QV_NORM8");
    return PictureMismatches(box, module, face, kAboutPictures[kAboutFace]);
}

bool Inside(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Every picture and both buttons lie wholly inside the client area that the caption and
// frame leave of the window.
void NothingIsClipped(HWND box, const RECT& client) {
    for (const AboutRect& picture : kAboutPictures) {
        const RECT place{picture.x, picture.y, picture.x + picture.width,
                         picture.y + picture.height};
        QM_CHECK(Inside(client, place));
    }
    for (int id : {IDOK, IDC_ABOUT_HELP}) {
        RECT button{};
        GetWindowRect(GetDlgItem(box, id), &button);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
        QM_CHECK(button.right > button.left && button.bottom > button.top);
        QM_CHECK(Inside(client, button));
    }
}

// Everything the open box shows: its size, buttons, white ground in a black frame, pictures.
void TheBoxLooksAsDesigned(HWND box, HMODULE module) {
    RECT window{};
    GetWindowRect(box, &window);
    QM_CHECK_EQ(window.right - window.left, kAboutWidth);
    QM_CHECK_EQ(window.bottom - window.top, kAboutHeight);
    QM_CHECK_EQ(window.left, AboutCentredX(GetSystemMetrics(SM_CXSCREEN)));
    QM_CHECK_EQ(window.top, AboutCentredY(GetSystemMetrics(SM_CYSCREEN)));
    RECT client{};
    GetClientRect(box, &client);
    QM_CHECK(client.right < kAboutWidth && client.bottom < kAboutHeight); // a caption, a frame
    NothingIsClipped(box, client);
    QM_CHECK_EQ(WindowText(GetDlgItem(box, IDOK)), "OK");
    QM_CHECK_EQ(WindowText(GetDlgItem(box, IDC_ABOUT_HELP)), "Help...");
    QM_CHECK_EQ(ControlPlace(box, IDOK).x, kAboutButtonX);
    QM_CHECK_EQ(ControlPlace(box, IDOK).y, kAboutOkY);
    QM_CHECK_EQ(ControlPlace(box, IDC_ABOUT_HELP).x, kAboutButtonX);
    QM_CHECK_EQ(ControlPlace(box, IDC_ABOUT_HELP).y, kAboutHelpY);
    QM_CHECK_EQ(BoxPixel(box, 0, 0), RGB(0, 0, 0));
    QM_CHECK_EQ(BoxPixel(box, client.right - 1, 100), RGB(0, 0, 0));
    QM_CHECK_EQ(BoxPixel(box, 100, client.bottom - 1), RGB(0, 0, 0));
    QM_CHECK_EQ(BoxPixel(box, 5, 5), RGB(255, 255, 255));
    QM_CHECK_EQ(BoxPixel(box, 243, 150), RGB(255, 255, 255));
    QM_CHECK_EQ(BoxPixel(box, client.right - 8, 150), RGB(255, 255, 255));
    QM_CHECK_EQ(FaceMismatches(box, module, false), 0);
    QM_CHECK(FaceMismatches(box, module, true) > 100);
    QM_CHECK_EQ(PictureMismatches(box, module, "QM_LGO", kAboutPictures[kAboutProductLogo]), 0);
    QM_CHECK_EQ(PictureMismatches(box, module, "SMALLPRT", kAboutPictures[kAboutSmallPrint]), 0);
    QM_CHECK_EQ(PictureMismatches(box, module, "TRELL", kAboutPictures[kAboutMakerLogo]), 0);
}

// Selector 0 shows the box owned by the host window; the host's system colours, set to
// something other than white and black, stay as they were before, during and after.
void AboutSelectorShowsTheBox(const std::string& modulePath) {
    const SystemColours original;
    const SystemColours custom{RGB(200, 220, 240), RGB(0, 0, 128)};
    SetSystemColours(custom);
    PluginHost host(modulePath);
    QM_CHECK(host.Loaded());
    HMODULE module = GetModuleHandleA("quorms32.8be");
    bool opened = false;
    SystemColours during;
    std::thread user([&] {
        HWND box = WaitForAboutBox(kOpenTimeout);
        opened = box != nullptr;
        if (!box)
            return;
        during = SystemColours();
        QM_CHECK(GetWindow(box, GW_OWNER) == host.Window());
        TheBoxLooksAsDesigned(box, module);
        // A repaint with the background erased leaves every picture in place.
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        TheBoxLooksAsDesigned(box, module);
        // Just right of the face: nothing happens.
        SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 100));
        QM_CHECK_EQ(FaceMismatches(box, module, false), 0);
        Press(box, IDOK);
    });
    QM_CHECK_EQ(host.Call(exportSelectorAbout), noErr);
    user.join();
    QM_CHECK(opened);
    QM_CHECK(during == custom);
    QM_CHECK(SystemColours() == custom);
    QM_CHECK_EQ(host.DataWord(), 0);
    QM_CHECK(FindWindowA("#32770", kAboutCaption) == nullptr);
    SetSystemColours(original);
}

// Waits until the box has handled every message posted to it so far: a default-button
// change posted behind them comes through.
bool PostedMessagesHandled(HWND box, int markerId) {
    PostMessageA(box, DM_SETDEFID, markerId, 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ScaledTimeout(kOpenTimeout)) {
        if (LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)) == markerId)
            return true;
        Sleep(20);
    }
    return false;
}

// Only OK ends the box: Escape and a close request leave it open; the host still gets 0.
void OnlyOkClosesTheBox(const std::string& modulePath) {
    PluginHost host(modulePath);
    std::thread user([] {
        HWND box = WaitForAboutBox(kOpenTimeout);
        QM_CHECK(box != nullptr);
        if (!box)
            return;
        PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(GetDlgItem(box, IDOK), WM_KEYUP, VK_ESCAPE, 0xC0000001);
        Press(box, IDCANCEL);
        PostMessageA(box, WM_CLOSE, 0, 0);
        QM_CHECK(PostedMessagesHandled(box, IDC_ABOUT_HELP));
        QM_CHECK(IsWindow(box) && IsWindowVisible(box));
        SendMessageA(box, DM_SETDEFID, IDOK, 0);
        Press(box, IDOK);
    });
    QM_CHECK_EQ(host.Call(exportSelectorAbout), noErr);
    user.join();
    QM_CHECK_EQ(host.DataWord(), 0);
    QM_CHECK(FindWindowA("#32770", kAboutCaption) == nullptr);
}

// Counts the sound calls, and at each one looks at the face the box shows.
class CountingSound final : public AboutSound {
  public:
    enum Kind { kDent, kPop, kStop, kBeep };
    struct Call {
        Kind kind;
        DWORD tick;
        bool faceSquashed;
    };

    CountingSound(HMODULE module, UINT devices) : module_(module), devices_(devices) {}

    UINT WaveDevices() override {
        ++deviceQueries;
        return devices_;
    }
    void PlayWave(const void* wave) override {
        if (!wave)
            Record(kStop);
        else
            Record(wave == Wave("sndDent") ? kDent : wave == Wave("sndPop") ? kPop : kStop);
    }
    void SimpleBeep() override { Record(kBeep); }

    int deviceQueries = 0;
    std::vector<Call> calls;

  private:
    const void* Wave(const char* name) const {
        HRSRC found = FindResourceA(module_, name, "WAVE");
        return found ? LockResource(LoadResource(module_, found)) : nullptr;
    }
    void Record(Kind kind) {
        HWND box = FindWindowA("#32770", kAboutCaption);
        const bool squashed = box && FaceMismatches(box, module_, true) == 0;
        calls.push_back({kind, GetTickCount(), squashed});
    }

    HMODULE module_;
    UINT devices_;
};

// Presses the face once and closes the box; returns the tick of the press.
DWORD PressTheFaceOnce(HMODULE module, CountingSound& sound) {
    DWORD pressed = 0;
    std::thread user([&] {
        HWND box = WaitForAboutBox(kOpenTimeout);
        QM_CHECK(box != nullptr);
        if (!box)
            return;
        pressed = GetTickCount();
        // Sent, so it returns when the face is back to normal.
        SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
        QM_CHECK_EQ(FaceMismatches(box, module, false), 0);
        SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 100));
        Press(box, IDOK);
    });
    ShowAboutBox(module, nullptr, "qmesh.hlp", sound);
    user.join();
    return pressed;
}

// With a wave device: dent, the squashed face for 800 ms, pop, the normal face; the sound
// is stopped when the box closes, before its resources go.
void APressOnTheFacePlaysBothSounds(HMODULE module) {
    CountingSound sound(module, 1);
    PressTheFaceOnce(module, sound);
    QM_CHECK_EQ(sound.deviceQueries, 1);
    QM_CHECK_EQ(sound.calls.size(), 3u);
    if (sound.calls.size() != 3)
        return;
    QM_CHECK_EQ(sound.calls[0].kind, CountingSound::kDent);
    QM_CHECK_EQ(sound.calls[1].kind, CountingSound::kPop);
    QM_CHECK(sound.calls[1].faceSquashed);
    QM_CHECK(sound.calls[1].tick - sound.calls[0].tick >= kSquashedFaceTicks);
    QM_CHECK_EQ(sound.calls[2].kind, CountingSound::kStop);
}

// Without one: a single simple beep after the squashed face has shown for 800 ms, and
// nothing to stop at the end.
void WithoutAWaveDeviceThePressBeepsOnce(HMODULE module) {
    CountingSound sound(module, 0);
    const DWORD pressed = PressTheFaceOnce(module, sound);
    QM_CHECK_EQ(sound.calls.size(), 1u);
    if (sound.calls.size() != 1)
        return;
    QM_CHECK_EQ(sound.calls[0].kind, CountingSound::kBeep);
    QM_CHECK(sound.calls[0].faceSquashed);
    QM_CHECK(sound.calls[0].tick - pressed >= kSquashedFaceTicks);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: win32_about_test <quorms32.8be>\n");
        return 2;
    }
    const std::string modulePath = argv[1];
    HMODULE module = LoadLibraryA(WindowsPath(modulePath).c_str());
    QM_CHECK(module != nullptr);
    if (!module)
        return Tally().Finish();
    AboutResourcesHaveTheirSizesDepthsAndLengths(module);
    AboutSelectorShowsTheBox(modulePath);
    OnlyOkClosesTheBox(modulePath);
    APressOnTheFacePlaysBothSounds(module);
    WithoutAWaveDeviceThePressBeepsOnce(module);
    FreeLibrary(module);
    return Tally().Finish();
}
