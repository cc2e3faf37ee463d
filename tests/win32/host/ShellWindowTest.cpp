// QuorvShell's window as a user meets it under Wine: the start-up picture, the menu states,
// opening pictures through the real open dialog, the gray commands and the About box, with
// the drawn picture read back from the screen.
// The menu is read inside the shell by the fake plug-in (FakePlugin.cpp).
// Usage: win32_host_window_test <QuorvShell.exe> <fake module> <data folder> <Logo.bmp>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "host/app/ShellCommands.h"
#include "host/resources/HostResourceIds.h"
#include "tests/win32/host/ShellFolder.h"
#include "tests/win32/host/ShellPictures.h"
#include "tests/win32/host/ShellSession.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr COLORREF kBackground = RGB(128, 128, 128); // the stock gray brush

struct Args {
    std::string program, fake, data, logo;
};

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(WindowsPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Compares the top-left width x height of the client pixels with expected(x, y) and the
// rest of the client area with the background; prints the first difference.
template <typename Expected>
bool ShowsPicture(const ShellSession& shell, int width, int height, Expected expected) {
    const SIZE size = shell.ClientSize();
    const std::vector<COLORREF> pixels = shell.ClientPixels();
    if (pixels.size() != static_cast<std::size_t>(size.cx * size.cy))
        return false;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF want = x < width && y < height ? expected(x, y) : kBackground;
            const COLORREF got = pixels[y * size.cx + x];
            if (got != want) {
                std::printf("pixel (%d, %d): got %06lx, expected %06lx\n", x, y,
                            static_cast<unsigned long>(got), static_cast<unsigned long>(want));
                return false;
            }
        }
    }
    return true;
}

// The menu's items 40001 to 40008 as the fake plug-in reads them inside the shell: the
// three that change as given, every other one enabled.
void CheckMenu(ShellSession& shell, const ShellFolder& folder, bool convert, bool invert,
               bool call) {
    std::string expected = "11111111";
    expected[0] = convert ? '1' : '0';
    expected[1] = invert ? '1' : '0';
    expected[6] = call ? '1' : '0';
    QM_CHECK_EQ(folder.MenuOf(shell), expected);
}

// A folder with the shell and the fake plug-in, which reads the menu back.
struct Started {
    ShellFolder folder;
    ShellSession shell;
    Started(const std::string& name, const Args& args, const char* picture = nullptr,
            const char* as = nullptr)
        : folder(Prepared(name, args, picture, as)),
          shell(folder.Path(), folder.FakeEnvironment("ok")) {}

  private:
    static ShellFolder Prepared(const std::string& name, const Args& args, const char* picture,
                                const char* as) {
        ShellFolder folder(name, args.program);
        QM_CHECK(folder.Add(args.fake, "quorms32.8be"));
        if (picture)
            QM_CHECK(folder.Add(args.data + "/" + picture, as ? as : picture));
        return folder;
    }
};

// Opens path through the open dialog; returns the box that follows, if any.
HWND Open(ShellSession& shell, const std::string& path) {
    shell.Command(kOpenImageFile);
    HWND dialog = shell.WaitDialog();
    QM_CHECK(dialog && IsFileDialog(dialog));
    if (!dialog)
        return nullptr;
    ChooseFile(dialog, path);
    QM_CHECK(WaitClosed(dialog));
    HWND box = shell.WaitDialog(2000);
    shell.Sync();
    return box;
}

void PressOk(ShellSession& shell, HWND box) {
    Press(box, IDOK);
    QM_CHECK(WaitClosed(box));
    shell.Sync();
}

void StartsWithItsOwnGrayPicture(const Args& args) {
    Started started("startup", args);
    auto& [folder, shell] = started;
    QM_CHECK(shell.Window() != nullptr);
    QM_CHECK_EQ(WindowText(shell.Window()), "QuorvShell");
    QM_CHECK_EQ(shell.ClientSize().cx, 208);
    QM_CHECK_EQ(shell.ClientSize().cy, 120);
    CheckMenu(shell, folder, false, true, true);
    // Stored top row first: the first stored row is drawn at the top, no row lost.
    const std::vector<std::uint8_t> logo = ReadFile(args.logo);
    QM_CHECK(logo.size() == 1078u + 208u * 120u);
    QM_CHECK(ShowsPicture(shell, 208, 120,
                          [&](int x, int y) { return Gray(logo[1078 + y * 208 + x]); }));
    // A command with a notification code in its high word is not a menu command.
    PostMessageA(shell.Window(), WM_COMMAND, MAKEWPARAM(kExit, 1), 0);
    shell.Sync();
    QM_CHECK(shell.Running());
}

void AboutBoxShowsItsTexts(const Args& args) {
    Started started("about", args);
    auto& shell = started.shell;
    shell.Command(kAboutShell);
    HWND about = shell.WaitDialog();
    QM_CHECK(about != nullptr);
    if (!about)
        return;
    QM_CHECK_EQ(WindowText(about), "About QuorvShell");
    QM_CHECK(GetWindow(about, GW_OWNER) == shell.Window());
    QM_CHECK_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_NAME)), "QuorvShell");
    QM_CHECK_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version 2.0");
    QM_CHECK_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_PURPOSE)),
                "Stand-alone utility for launching the QuorvMesh Export Filter");
    QM_CHECK(SendMessageA(GetDlgItem(about, IDC_ABOUT_ICON), STM_GETICON, 0, 0) != 0);
    QM_CHECK_EQ(WindowText(GetDlgItem(about, IDOK)), "OK");
    PressOk(shell, about);
    QM_CHECK(shell.Running());
}

void CancelAndUnknownFilesChangeNothing(const Args& args) {
    Started started("refusals", args, "notes.bmp");
    auto& [folder, shell] = started;
    shell.Command(kOpenImageFile);
    HWND dialog = shell.WaitDialog();
    QM_CHECK(dialog && IsFileDialog(dialog));
    if (dialog) {
        QM_CHECK(GetWindow(dialog, GW_OWNER) == nullptr);
        Press(dialog, IDCANCEL);
        QM_CHECK(WaitClosed(dialog));
    }
    QM_CHECK(shell.WaitDialog(1000) == nullptr);
    HWND box = Open(shell, folder.File("notes.bmp"));
    QM_CHECK(box != nullptr);
    if (box) {
        QM_CHECK_EQ(WindowText(box), "QuorvShell");
        QM_CHECK_EQ(BoxText(box), "Not a recognizable file type");
        PressOk(shell, box);
    }
    QM_CHECK_EQ(shell.ClientSize().cx, 208);
    CheckMenu(shell, folder, false, true, true);
}

void AColourPictureIsShownConvertedAndInverted(const Args& args) {
    // Named .bmp, read as the TIFF its first bytes say it is.
    Started started("colours", args, "colours.tif", "colours-tiff.bmp");
    auto& [folder, shell] = started;
    HWND notice = Open(shell, folder.File("colours-tiff.bmp"));
    QM_CHECK(notice != nullptr);
    if (notice) {
        QM_CHECK_EQ(WindowText(notice), "Non-Grayscale Image");
        QM_CHECK_EQ(BoxText(notice), "This image must be converted to grayscale before calling "
                                     "QuorvMesh.\n\n\t(Use 'Convert To Gray' under Options).");
        QM_CHECK(GetWindow(notice, GW_OWNER) == shell.Window());
        PressOk(shell, notice);
    }
    CheckMenu(shell, folder, true, false, false);
    // 37 pixels wide: the window keeps its smallest width and shows the background beside.
    RECT outer{};
    GetWindowRect(shell.Window(), &outer);
    QM_CHECK_EQ(outer.right - outer.left, 180);
    QM_CHECK_EQ(shell.ClientSize().cy, kColoursHeight);
    QM_CHECK(ShowsPicture(shell, kColoursWidth, kColoursHeight, ColoursPixel));

    // A picture the reader refuses leaves the shown one, its menu and no notice.
    QM_CHECK(folder.Add(args.data + "/lzw.tif", "lzw.tif"));
    HWND refusal = Open(shell, folder.File("lzw.tif"));
    QM_CHECK(refusal != nullptr);
    if (refusal) {
        QM_CHECK_EQ(WindowText(refusal), "QuorvShell Message");
        QM_CHECK(BoxText(refusal).find("compression") != std::string::npos);
        PressOk(shell, refusal);
    }
    QM_CHECK(shell.WaitDialog(1000) == nullptr);
    CheckMenu(shell, folder, true, false, false);
    QM_CHECK(ShowsPicture(shell, kColoursWidth, kColoursHeight, ColoursPixel));

    shell.Command(kConvertToGray);
    shell.Sync();
    CheckMenu(shell, folder, false, true, true);
    QM_CHECK(ShowsPicture(shell, kColoursWidth, kColoursHeight,
                          [](int x, int y) { return Gray(GrayOfColour(ColoursPixel(x, y))); }));
    shell.Command(kInverseGrays);
    shell.Sync();
    CheckMenu(shell, folder, false, true, true);
    QM_CHECK(ShowsPicture(shell, kColoursWidth, kColoursHeight, [](int x, int y) {
        return Gray(static_cast<std::uint8_t>(255 - GrayOfColour(ColoursPixel(x, y))));
    }));
}

void APalettePictureIsShownAndConverted(const Args& args) {
    Started started("palette", args, "palette.bmp");
    auto& [folder, shell] = started;
    HWND notice = Open(shell, folder.File("palette.bmp"));
    QM_CHECK(notice != nullptr);
    if (notice)
        PressOk(shell, notice);
    CheckMenu(shell, folder, true, false, false);
    QM_CHECK_EQ(shell.ClientSize().cy, kPaletteHeight);
    QM_CHECK(ShowsPicture(shell, kPaletteWidth, kPaletteHeight, PalettePixel));
    shell.Command(kConvertToGray);
    shell.Sync();
    CheckMenu(shell, folder, false, true, true);
    QM_CHECK(ShowsPicture(shell, kPaletteWidth, kPaletteHeight,
                          [](int x, int y) { return Gray(GrayOfColour(PalettePixel(x, y))); }));
}

void WithoutItsPictureTheProgramStopsAtOnce(const Args& args) {
    ShellFolder folder("no-picture", args.program);
    // The same program with a start-up picture that cannot be read.
    const char damaged[] = "BM not a picture";
    HANDLE update = BeginUpdateResourceA(folder.File("QuorvShell.exe").c_str(), FALSE);
    QM_CHECK(update != nullptr);
    QM_CHECK(UpdateResourceA(update, RT_RCDATA, QS_STARTUP_PICTURE,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<char*>(damaged),
                             sizeof damaged));
    QM_CHECK(EndUpdateResourceA(update, FALSE));
    ShellSession shell(folder.Path());
    HWND box = shell.WaitDialog();
    QM_CHECK(box != nullptr);
    if (!box)
        return;
    QM_CHECK_EQ(WindowText(box), "QuorvShell");
    QM_CHECK_EQ(BoxText(box), "Unable to Run QuorvShell.");
    Press(box, IDOK);
    // Window creation fails right after the box: no window, and WinMain gives -1.
    QM_CHECK_EQ(shell.WaitForExit(10000), static_cast<DWORD>(-1));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::printf("usage: win32_host_window_test <QuorvShell.exe> <fake module> <data folder> "
                    "<Logo.bmp>\n");
        return 2;
    }
    const Args args{argv[1], argv[2], argv[3], argv[4]};
    StartsWithItsOwnGrayPicture(args);
    AboutBoxShowsItsTexts(args);
    CancelAndUnknownFilesChangeNothing(args);
    AColourPictureIsShownConvertedAndInverted(args);
    APalettePictureIsShownAndConverted(args);
    WithoutItsPictureTheProgramStopsAtOnce(args);
    return Tally().Finish();
}
