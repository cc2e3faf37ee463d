#pragma once
// One QuorvShell process for a test: started from a copy in a folder of the test's own,
// driven by posted menu commands, its dialogs answered and its window read back from the
// screen (another process's window is drawn by that process, so its pixels are taken
// from the screen).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ShellSession {
  public:
    // Starts folder\QuorvShell.exe with the given environment additions ("NAME=value").
    ShellSession(const std::string& folder, const std::vector<std::string>& environment = {});
    ~ShellSession();
    ShellSession(const ShellSession&) = delete;
    ShellSession& operator=(const ShellSession&) = delete;

    HWND Window() const { return window_; }
    bool Running() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE after timeoutMs. Every
    // timeout here is scaled by the run's time factor (tests/win32/support/TestTime.h).
    DWORD WaitForExit(DWORD timeoutMs);

    void Command(std::uint16_t id);
    // Returns once the shell has handled the quick commands posted before (or runs a modal
    // loop).
    void Sync();
    SIZE ClientSize() const;

    // The next visible dialog or message box of the shell that is not open yet; null
    // after timeoutMs.
    HWND WaitDialog(DWORD timeoutMs = 15000);
    // Whether a dialog of the shell is showing now.
    bool DialogShowing() const;

    // The client area as the screen shows it, row by row (RGB values).
    std::vector<COLORREF> ClientPixels() const;

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::vector<HWND> seen_;
};

// The message text of a message box; empty for other dialogs.
std::string BoxText(HWND box);
bool IsFileDialog(HWND dialog);
// Types path into a file dialog's name box and presses its OK button.
void ChooseFile(HWND dialog, const std::string& path);
// Waits until window is gone; false after timeoutMs.
bool WaitClosed(HWND window, DWORD timeoutMs = 10000);
