#pragma once
// The QuorvShell main window: class "qshellparent", its menu commands and their enable
// states, the current picture and the bridge that runs the plug-in on it.

#include <windows.h>

#include <memory>
#include <string>

#include "host/app/MenuStates.h"
#include "host/app/win32/ImageDisplay.h"
#include "host/app/win32/PluginBridge.h"
#include "host/image/HostImage.h"
#include "host/readers/SourceFile.h"

// Registers the class (when there is no previous instance), creates the window and runs
// the message loop. -1 when the class or the window cannot be made, else 0.
int RunQuorvShell(HINSTANCE instance, HINSTANCE previous);

class MainWindow {
  public:
    explicit MainWindow(HINSTANCE instance);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT OnCreate();
    void OnDestroy();
    void OnPaint();
    void OnCommand(std::uint16_t command);
    bool OnClose();

    void OpenImageFile();
    void ConvertToGray();
    void InverseGrays();
    void CallPlugin();
    void AboutPlugin();

    void SetState(ShellState state);
    void FitToImage();
    void ShowBox(const char* text, const char* caption, UINT style);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    std::unique_ptr<HostImage> image_;
    std::unique_ptr<SourceFile> file_;
    ScreenPalette palette_;
    PluginBridge bridge_;
    bool pluginRunning_ = false;
    bool exitPending_ = false;
};
