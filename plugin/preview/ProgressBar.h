#pragma once
// What the dialog's progress bar paints for ShowDialogProgress: the frame's client area
// less one pixel on every side, all white for value 0, else black from its left edge to
// right * value / maximum. The part to the right is left alone, so the bar only grows
// until the next reset.

#include <cstdint>

struct BarRect {
    std::int32_t left, top, right, bottom;
};

struct ProgressBarPaint {
    bool white;   // true: fill rect white (reset); false: fill rect black
    BarRect rect; // may be empty (right <= left): nothing to paint
};

// clientRight and clientBottom: the frame's client size. A maximum of 0 paints nothing;
// a value beyond the maximum fills the whole bar.
ProgressBarPaint PaintProgressBar(std::int32_t clientRight, std::int32_t clientBottom,
                                  std::uint32_t value, std::uint32_t maximum);
