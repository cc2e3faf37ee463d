#pragma once
// Rate limit of a preview pass: progress drawing and (in some phases) the abort poll run
// only once the tick count has passed a deadline, not for every row or polygon.

#include <cstdint>

#include "common/PreviewHost.h"

class PassPacer {
  public:
    PassPacer(PreviewHost& host, std::uint32_t maximum)
        : host_(host), maximum_(maximum), deadline_(host.TickCount()) {}

    // True when the tick count has passed the deadline (wrap-safe).
    bool Due() const { return static_cast<std::int32_t>(host_.TickCount() - deadline_) > 0; }

    void Postpone(std::uint32_t milliseconds) { deadline_ = host_.TickCount() + milliseconds; }

    // A grid too small for any polygon has maximum 0 and shows no progress.
    void Report(std::uint32_t value) const {
        if (maximum_ != 0)
            host_.ShowDialogProgress(value, maximum_);
    }

  private:
    PreviewHost& host_;
    std::uint32_t maximum_;
    std::uint32_t deadline_;
};
