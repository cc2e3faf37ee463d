#pragma once
// A progress bar on the error stream, drawn only when that stream is a terminal, so that
// pipes and logs get nothing but messages.

#include <iosfwd>

#include "common/ProgressSink.h"

class TerminalProgress final : public ProgressSink {
  public:
    TerminalProgress(std::ostream& stream, bool enabled) : stream_(stream), enabled_(enabled) {}
    ~TerminalProgress() override { Finish(); }

    void Report(std::int32_t done, std::int32_t total) override;
    // Ends the bar's line, if one was drawn.
    void Finish();

  private:
    std::ostream& stream_;
    bool enabled_;
    int shownPercent_ = -1;
};
