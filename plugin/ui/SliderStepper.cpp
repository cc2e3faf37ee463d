#include "plugin/ui/SliderStepper.h"

SliderStep SliderStepper::Step(int pos, std::uint32_t now) {
    if (started_ && pos == lastPos_) {
        if (!holding_) {
            holding_ = true;
            holdTick_ = now;
            return SliderStep::None;
        }
        if (!TicksPassed(holdTick_, now, kSliderHoldMs)) {
            return SliderStep::None;
        }
        holdTick_ = now;
        const bool repeat = holdSent_;
        holdSent_ = true;
        return repeat ? SliderStep::HoldRepeat : SliderStep::Hold;
    }
    // A movement ends the hold: the next stillness starts over with a first hold report.
    started_ = true;
    lastPos_ = pos;
    holding_ = false;
    holdSent_ = false;
    return SliderStep::Track;
}
