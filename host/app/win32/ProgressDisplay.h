#pragma once
// The "Writing Mesh File" bar that the plug-in's file writers drive through the record's
// progress procedure: drawn straight into the main window's client area, over the bottom
// of the picture, and removed by the next paint.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "host/app/ProgressBar.h"

class ProgressDisplay {
  public:
    explicit ProgressDisplay(HWND window) : window_(window) {}
    ~ProgressDisplay() { Show(0, 0); }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    // done == total ends the bar (and restores the cursor); otherwise the bar appears on
    // the first call and fills to done of total. Nothing is drawn for total <= 0 or a
    // window too narrow for one column of bar.
    void Show(std::int32_t done, std::int32_t total);
    bool Showing() const { return columns_.has_value(); }

  private:
    // Draws the empty bar; false, with nothing drawn, when the window has no room for it.
    bool Begin();

    HWND window_;
    HCURSOR previousCursor_ = nullptr;
    BarRect fill_{};
    std::optional<ProgressColumns> columns_;
};

// The progress procedure lent to the plug-in: forwards to the display of the run in
// progress (none outside a run).
void __cdecl ShowProgress(std::int32_t done, std::int32_t total);

// Makes display the one ShowProgress draws into while it lives.
class ProgressTarget {
  public:
    explicit ProgressTarget(ProgressDisplay& display);
    ~ProgressTarget();
    ProgressTarget(const ProgressTarget&) = delete;
    ProgressTarget& operator=(const ProgressTarget&) = delete;
};
