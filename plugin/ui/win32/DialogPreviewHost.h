#pragma once
// The preview host of the filter dialog: status line 2006, progress bar 3014 (drawn by
// hand into the frame's client area), statistics lines 3010..3013, the mouse-press poll and
// the system tick count. The dialog's RefreshMesh and the canvas's paints use it alike.

#include <windows.h>

#include "common/PreviewHost.h"

class DialogPreviewHost final : public PreviewHost {
  public:
    // dialog: the window that holds the controls; a missing control is skipped.
    explicit DialogPreviewHost(HWND dialog) : dialog_(dialog) {}

    // Sets the text and repaints the line at once, so that it shows during a long pass.
    void SetStatus(const char* text) override;
    void ShowDialogProgress(std::uint32_t value, std::uint32_t maximum) override;
    void SetStatisticsLine(int line, const char* text) override;
    bool CheckAbort() override;
    std::uint32_t TickCount() override;

  private:
    HWND dialog_;
};
