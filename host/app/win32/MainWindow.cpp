#include "host/app/win32/MainWindow.h"

#include "common/win32/ModuleResources.h"
#include "common/win32/Win32MessageReporter.h"
#include "host/app/ShellCommands.h"
#include "host/app/StartupPicture.h"
#include "host/app/WindowFit.h"
#include "host/app/win32/AboutDialog.h"
#include "host/app/win32/OpenImageDialog.h"
#include "host/readers/OpenImageSource.h"
#include "host/resources/HostResourceIds.h"

namespace {

constexpr const char* kClassName = "qshellparent";
constexpr const char* kTitle = "QuorvShell";
constexpr const char* kHelpFile = "qshel.hlp";

// The one main window of the program; the class keeps no extra bytes and creation passes
// no data, so the procedure finds it here.
MainWindow* theWindow = nullptr;

std::string ProgramPath(HINSTANCE instance) {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

bool RegisterShellClass(HINSTANCE instance) {
    WNDCLASSA shellClass{};
    shellClass.style = CS_BYTEALIGNCLIENT;
    shellClass.lpfnWndProc = MainWindow::Procedure;
    shellClass.hInstance = instance;
    shellClass.hIcon = LoadIconA(instance, QS_APP_ICON);
    shellClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    shellClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    shellClass.lpszMenuName = QS_MAIN_MENU;
    shellClass.lpszClassName = kClassName;
    return RegisterClassA(&shellClass) != 0;
}

ExportImage ExportImageOf(const HostImage& image) {
    return {image.Bits(), image.Width(), image.Height(), image.Stride(), image.BitsPerPixel()};
}

} // namespace

int RunQuorvShell(HINSTANCE instance, HINSTANCE previous) {
    if (!previous && !RegisterShellClass(instance))
        return -1;
    MainWindow shell(instance);
    theWindow = &shell;
    HWND window = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        theWindow = nullptr;
        return -1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    theWindow = nullptr;
    return 0;
}

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), bridge_(ProgramPath(instance)) {}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = theWindow;
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        self->window_ = window;
        return self->OnCreate();
    case WM_DESTROY:
        self->OnDestroy();
        return 0;
    case WM_PAINT:
        self->OnPaint();
        return 0;
    case WM_COMMAND:
        if (IsShellCommand(wParam))
            self->OnCommand(static_cast<std::uint16_t>(wParam));
        return 0;
    case WM_CLOSE:
        if (!self->OnClose())
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MainWindow::OnCreate() {
    image_ = LoadStartupPicture(ModuleResources(instance_), ScreenBitsPerPixel());
    if (!image_) {
        ShowBox("Unable to Run QuorvShell.", kTitle, MB_ICONEXCLAMATION);
        // Creation fails and the window is destroyed right after this message.
        return -1;
    }
    palette_.Rebuild(image_->Palette());
    menu_ = GetMenu(window_);
    FitToImage();
    SetState(ShellState::kStartUpPicture);
    return 0;
}

void MainWindow::OnDestroy() {
    image_.reset();
    file_.reset();
    WinHelpA(window_, kHelpFile, HELP_QUIT, 0);
    PostQuitMessage(0);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (image_)
        DrawImage(dc, *image_, palette_.Handle());
    EndPaint(window_, &paint);
}

bool MainWindow::OnClose() {
    if (pluginRunning_)
        exitPending_ = true;
    return !pluginRunning_;
}

void MainWindow::OnCommand(std::uint16_t command) {
    if (pluginRunning_) {
        const BusyHandling handling = HandlingWhileBusy(command);
        if (handling == BusyHandling::kPostpone)
            exitPending_ = true;
        if (handling != BusyHandling::kRun)
            return;
    }
    switch (command) {
    case kConvertToGray:
        ConvertToGray();
        break;
    case kInverseGrays:
        InverseGrays();
        break;
    case kHelp:
        WinHelpA(window_, kHelpFile, HELP_INDEX, 0);
        break;
    case kAboutPlugin:
        AboutPlugin();
        break;
    case kAboutShell:
        ShowAboutShell(instance_, window_);
        break;
    case kOpenImageFile:
        OpenImageFile();
        break;
    case kCallPlugin:
        CallPlugin();
        break;
    case kExit:
        DestroyWindow(window_);
        break;
    }
}

void MainWindow::OpenImageFile() {
    file_.reset();
    const std::string path = ChooseImageFile();
    if (path.empty())
        return;
    file_ = std::make_unique<SourceFile>(path);
    if (!file_->IsOpen()) {
        file_.reset();
        return;
    }
    Win32MessageReporter reporter(window_);
    std::unique_ptr<FileImageSource> source = CreateImageSource(*file_, reporter);
    if (!source) {
        ShowBox(kUnknownFileTypeText.data(), kTitle, MB_ICONEXCLAMATION);
        return;
    }
    if (!source->IsValid())
        return;
    // The new picture is built before the old one is given up, so that a picture that
    // cannot be had leaves the old one on screen with its menu.
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    auto picture = std::make_unique<HostImage>(*source, ScreenBitsPerPixel());
    source.reset();
    SetCursor(previous);
    if (picture->Failed()) {
        ShowReaderError(reporter, ReaderError::ImageTooLarge);
        return;
    }
    image_ = std::move(picture);
    palette_.Rebuild(image_->Palette());
    menu_ = GetMenu(window_);
    SetState(StateForImage(image_->IsGray()));
    FitToImage();
    UpdateWindow(window_);
    if (!image_->IsGray())
        ShowBox("This image must be converted to grayscale before calling QuorvMesh.\n\n\t(Use "
                "'Convert To Gray' under Options).",
                "Non-Grayscale Image", MB_OK);
    FitToImage();
}

void MainWindow::ConvertToGray() {
    if (!image_->ConvertToGray())
        return;
    palette_.Rebuild(image_->Palette());
    SetState(ShellState::kGrayImage);
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void MainWindow::InverseGrays() {
    image_->InvertGrays();
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void MainWindow::AboutPlugin() {
    pluginRunning_ = true;
    bridge_.ShowAbout(window_);
    pluginRunning_ = false;
    if (exitPending_)
        DestroyWindow(window_);
}

void MainWindow::CallPlugin() {
    pluginRunning_ = true;
    const ExportOutcome outcome = bridge_.RunExport(ExportImageOf(*image_), window_);
    pluginRunning_ = false;
    if (exitPending_) {
        DestroyWindow(window_);
        return;
    }
    // A user's No to the polygon count is an answer, not a problem.
    if (outcome == ExportOutcome::kFailed)
        ShowBox("There was a Problem Launching \nthe QuorvMesh Filter.", kTitle,
                MB_ICONEXCLAMATION);
}

void MainWindow::SetState(ShellState state) {
    for (const MenuItemRule& rule : MenuRulesFor(state)) {
        if (rule.action != MenuAction::kLeave)
            EnableMenuItem(menu_, rule.command,
                           MF_BYCOMMAND |
                               (rule.action == MenuAction::kGray ? MF_GRAYED : MF_ENABLED));
    }
}

void MainWindow::FitToImage() {
    RECT client{}, outer{};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &outer);
    const OuterSize size = FitOuterSize(image_->Width(), image_->Height(), outer.right - outer.left,
                                        outer.bottom - outer.top, client.right - client.left,
                                        client.bottom - client.top);
    InvalidateRect(window_, nullptr, TRUE);
    MoveWindow(window_, outer.left, outer.top, size.width, size.height, TRUE);
}

void MainWindow::ShowBox(const char* text, const char* caption, UINT style) {
    MessageBoxA(window_, text, caption, style);
}
