#pragma once
// What a preview pass needs from the dialog around the canvas: the status line, the
// progress bar, the statistics lines, the abort poll and the tick count.

#include <cstdint>

class PreviewHost {
  public:
    virtual ~PreviewHost() = default;

    // The status line under the canvas; "" empties it.
    virtual void SetStatus(const char* text) = 0;

    // value 0 blanks the bar; otherwise the bar is filled to value / maximum. The passes
    // never report a non-zero value with maximum 0.
    virtual void ShowDialogProgress(std::uint32_t value, std::uint32_t maximum) = 0;

    // Statistics line 0..3: polygon count, X range, Y range, Z range.
    virtual void SetStatisticsLine(int line, const char* text) = 0;

    // True when the user has pressed the left button since the pass began; the press is
    // left for the dialog to handle once the pass has returned.
    virtual bool CheckAbort() = 0;

    // Milliseconds from an arbitrary origin; may wrap.
    virtual std::uint32_t TickCount() = 0;
};
