#pragma once
// What a slider's drag loop reports on each pass: a movement, or, while the mouse is held
// still, a hold after each further 250 ms. Ticks are milliseconds of a 32-bit counter that
// wraps around.

#include <cstdint>

enum class SliderStep { None, Track, Hold, HoldRepeat };

// Milliseconds the mouse must be held still before each hold report.
inline constexpr std::uint32_t kSliderHoldMs = 250;

// True when more than waitMs have passed from start to now, across a wraparound too.
constexpr bool TicksPassed(std::uint32_t start, std::uint32_t now, std::uint32_t waitMs) {
    return static_cast<std::uint32_t>(now - start) > waitMs;
}

class SliderStepper {
  public:
    // One pass at position pos (pixels) and tick now. The first pass always counts as a
    // movement.
    SliderStep Step(int pos, std::uint32_t now);

  private:
    bool started_ = false;
    int lastPos_ = 0;
    bool holding_ = false;  // the hold tick below is remembered
    bool holdSent_ = false; // SLN_HOLD went out for this hold; further ones repeat
    std::uint32_t holdTick_ = 0;
};
