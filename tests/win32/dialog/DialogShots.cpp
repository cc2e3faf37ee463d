// Pictures of the filter dialog for the documentation, one per style, and of the About box:
// run it under a Wine virtual desktop (which draws the captions), then convert the BMP files
// to PNG.
// Usage: win32_dialog_shots <path of quorms32.8be> <output folder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "plugin/resources/DialogIds.h"
#include "tests/win32/dialog/DialogScript.h"
#include "tests/win32/support/FilterDialogDriver.h"
#include "tests/win32/support/WindowControls.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

std::string modulePath;

struct Shot {
    const char* name;
    int style;    // Shadetype
    int meshtype; // Meshtype
};

constexpr Shot kShots[] = {
    {"dialog-wireframe", 0, 1},
    {"dialog-outlined", 1, 2},
    {"dialog-shaded", 2, 1},
};

// A soft dome with a ring, so that every style has a shape to show.
std::vector<std::uint8_t> Dome(int size) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = (x - size / 2.0) / (size / 2.0), dy = (y - size / 2.0) / (size / 2.0);
            const double d = std::sqrt(dx * dx + dy * dy);
            const double ring = std::fabs(d - 0.6) < 0.08 ? 60.0 : 0.0;
            pixels[static_cast<std::size_t>(y) * size + x] =
                static_cast<std::uint8_t>(std::clamp(255.0 * (1.0 - d) + ring, 0.0, 255.0));
        }
    return pixels;
}

// The window's pixels as they are on the screen, written as a 24-bit BMP file.
bool SaveWindow(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{
        0x4D42,
        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

} // namespace

// The About box, as the about selector shows it.
bool ShootAboutBox(const std::string& path) {
    PluginHost host(ModulePath());
    bool saved = false;
    std::thread user([&] {
        for (int tries = 0; tries < 500; ++tries) {
            HWND box = FindWindowA("#32770", "About QuorvMesh  v1.32");
            if (box && IsWindowVisible(box)) {
                Sleep(1000); // the pictures paint
                saved = SaveWindow(box, path);
                Press(box, IDOK);
                return;
            }
            Sleep(20);
        }
    });
    host.Call(exportSelectorAbout);
    user.join();
    return saved;
}

const std::string& ModulePath() {
    return modulePath;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: win32_dialog_shots <module> <output folder>\n");
        return 2;
    }
    modulePath = argv[1];
    const std::string folder = WindowsPath(argv[2]);
    FilterDialogDriver driver;
    int failures = 0;
    for (const Shot& shot : kShots) {
        WriteWindowsIni("[QUORVMESH]\nMaxPolys=0\nMeshtype=" + std::to_string(shot.meshtype) +
                        "\nShadetype=" + std::to_string(shot.style) + "\nMeshRes=4\n");
        PluginHost host(ModulePath());
        const std::string path = folder + "\\" + shot.name + ".bmp";
        driver.RunNext([&](HWND dialog) {
            Sleep(2000); // the preview paints
            failures += SaveWindow(dialog, path) ? 0 : 1;
            Press(dialog, IDCANCEL);
        });
        const std::vector<std::uint8_t> picture = Dome(128);
        host.SetImage(128, 128, picture.data(), 128);
        host.RunExport();
    }
    RemoveWindowsIni();
    failures += ShootAboutBox(folder + "\\about-box.bmp") ? 0 : 1;
    return failures;
}
