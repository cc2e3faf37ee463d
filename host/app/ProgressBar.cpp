#include "host/app/ProgressBar.h"

#include <algorithm>

namespace {

constexpr int kBarInset = 3;     // from the client area's left and right edges
constexpr int kLabelPadding = 4; // the bar is this much taller than the label
constexpr int kLabelX = 5;
constexpr int kLabelTop = 2; // below the bar's top
constexpr std::int64_t kLookAhead = 2;

} // namespace

ProgressBarLayout LayOutProgressBar(int clientRight, int clientBottom, int textHeight) {
    const BarRect frame{kBarInset, clientBottom - (textHeight + kLabelPadding),
                        clientRight - kBarInset, clientBottom - 1};
    const BarRect fill{frame.left + 1, frame.top, frame.right - 1, frame.bottom - 1};
    return {frame, fill, kLabelX, frame.top + kLabelTop};
}

ProgressColumns::ProgressColumns(const BarRect& fill)
    : left_(fill.left), right_(fill.right), filledEnd_(fill.left) {}

ColumnSpan ProgressColumns::Advance(std::int32_t done, std::int32_t total) {
    if (total <= 0 || !HasColumns({left_, 0, right_, 0}))
        return {filledEnd_, filledEnd_};
    const std::int64_t ahead = std::clamp<std::int64_t>(std::int64_t{done} + kLookAhead, 0, total);
    const int end = left_ + static_cast<int>(std::int64_t{right_ - left_} * ahead / total);
    if (end <= filledEnd_)
        return {filledEnd_, filledEnd_};
    const ColumnSpan span{filledEnd_, end};
    filledEnd_ = end;
    return span;
}
