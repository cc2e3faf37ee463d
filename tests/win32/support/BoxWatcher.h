#pragma once
// A thread that answers the modal boxes and dialogs that the plug-in shows while the test's
// main thread is blocked inside ENTRYPOINT1. It records each box (caption, text, owner) and
// presses a button: Yes or No as told for Yes/No questions, otherwise Cancel when the box
// has one (file dialogs, the filter dialog), otherwise OK. A box that will not close ends
// the program, so that a test never hangs.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text; // the message text of a message box, empty for other dialogs
    HWND owner;
    int pressed; // the button id the watcher pressed
};

class BoxWatcher {
  public:
    BoxWatcher();
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    // IDYES or IDNO, for every Yes/No box from now on.
    void AnswerQuestions(int button) { answer_ = button; }
    // The boxes seen since the last call.
    std::vector<SeenBox> TakeSeen();

  private:
    void Run();
    void Handle(HWND box);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);

    std::atomic<int> answer_{IDYES};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::vector<std::pair<HWND, DWORD>> pressed_; // box and the tick of the press
    std::thread thread_;
};
