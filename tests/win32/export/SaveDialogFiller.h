#pragma once
// A thread that answers the plug-in's save dialog while the test's main thread is blocked
// inside ENTRYPOINT1: it types the path it was given into the file name box and presses
// Save, or presses Cancel when it was given no path. Message boxes (the overwrite question,
// error boxes) are recorded and answered with Yes or OK.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct SeenDialog {
    std::string caption;
    std::string text; // the message of a message box; empty for the save dialog
    HWND owner;
    bool isSaveDialog;
    bool hasHelpButton;
};

class SaveDialogFiller {
  public:
    SaveDialogFiller();
    ~SaveDialogFiller();
    SaveDialogFiller(const SaveDialogFiller&) = delete;
    SaveDialogFiller& operator=(const SaveDialogFiller&) = delete;

    // The Windows path to choose in the next save dialog; nothing to cancel it.
    void Choose(std::optional<std::string> path);
    // The dialogs and boxes seen since the last call.
    std::vector<SeenDialog> TakeSeen();

  private:
    void Run();
    void Handle(HWND dialog);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);

    std::mutex mutex_;
    std::optional<std::string> path_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
