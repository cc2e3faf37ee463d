#pragma once
// A preview host that nobody watches: no status, no progress, no clicks, and a clock
// that stands still so that no pass stops to report. For pictures drawn off screen.

#include "common/PreviewHost.h"

class QuietPreviewHost : public PreviewHost {
  public:
    void SetStatus(const char*) override {}
    void ShowDialogProgress(std::uint32_t, std::uint32_t) override {}
    void SetStatisticsLine(int, const char*) override {}
    bool CheckAbort() override { return false; }
    std::uint32_t TickCount() override { return 0; }
};
