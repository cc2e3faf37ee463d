#include "plugin/preview/ProgressBar.h"

#include <algorithm>

ProgressBarPaint PaintProgressBar(std::int32_t clientRight, std::int32_t clientBottom,
                                  std::uint32_t value, std::uint32_t maximum) {
    BarRect inner{1, 1, clientRight - 1, clientBottom - 1};
    if (value == 0)
        return {true, inner};
    if (maximum == 0 || inner.right <= 0)
        return {false, {1, 1, 1, 1}};
    // 64-bit: on a large mesh right * value does not fit 32 bits.
    const std::uint64_t edge = std::uint64_t(inner.right) * std::min(value, maximum) / maximum;
    inner.right = static_cast<std::int32_t>(edge);
    return {false, inner};
}
