#pragma once
// The one driver of the plug-in's filter dialog "QuorvDlg" for the Windows tests: a thread
// that waits for the dialog while the test's main thread is blocked inside ENTRYPOINT1 and
// either runs the test's script on it or, by default, confirms it as a user does.
//
// OK closes the dialog only when it already has the focus (a first press of Enter only
// moves the focus there), so ConfirmFilterDialog presses until the dialog has gone.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// True for a visible filter dialog of this process (a dialog with the canvas placeholder).
bool IsFilterDialog(HWND window);

// Presses OK (posted, as the dialog's own thread sees a click) until the dialog closes;
// false when it is still open after a few presses.
bool ConfirmFilterDialog(HWND dialog);

class FilterDialogDriver {
  public:
    // Runs on the driver's thread with the dialog; it must close the dialog.
    using Script = std::function<void(HWND dialog)>;

    // Confirms every filter dialog.
    FilterDialogDriver();
    ~FilterDialogDriver();
    FilterDialogDriver(const FilterDialogDriver&) = delete;
    FilterDialogDriver& operator=(const FilterDialogDriver&) = delete;

    // The script for the next dialog only; later ones are confirmed again.
    void RunNext(Script script);
    // Filter dialogs handled so far.
    int Handled() const { return handled_; }

  private:
    void Run();

    std::mutex mutex_;
    Script next_;
    std::atomic<int> handled_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
