#include "tool/TerminalProgress.h"

#include <algorithm>
#include <ostream>
#include <string>

void TerminalProgress::Report(std::int32_t done, std::int32_t total) {
    if (!enabled_ || total <= 0)
        return;
    const int percent = static_cast<int>(std::clamp<long long>(100LL * done / total, 0, 100));
    if (percent == shownPercent_)
        return; // redraw only when the figure changes
    shownPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    stream_ << "\rWriting mesh file [" << std::string(filled, '#')
            << std::string(kWidth - filled, ' ') << "] " << percent << "%" << std::flush;
}

void TerminalProgress::Finish() {
    if (shownPercent_ >= 0)
        stream_ << '\n' << std::flush;
    shownPercent_ = -1;
}
