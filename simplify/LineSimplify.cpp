#include "simplify/LineSimplify.h"

namespace {

// A slope rise / run with run > 0.
struct Slope {
    double rise, run;
    bool Below(const Slope& other) const { return rise * other.run < other.rise * run; }
};

} // namespace

std::vector<std::size_t> SimplifyLine(const std::vector<float>& heights, double limit) {
    std::vector<std::size_t> kept;
    if (heights.empty())
        return kept;
    const std::size_t last = heights.size() - 1;
    kept.push_back(0);
    for (std::size_t from = 0; from < last;) {
        // The slopes from `from` that keep every sample passed within the limit lie between
        // low and high; the run may end at any sample whose own slope lies between them.
        const double base = heights[from];
        std::size_t reach = from + 1;
        Slope low{0, 1}, high{0, 1};
        for (std::size_t to = from + 1; to <= last; ++to) {
            const auto run = static_cast<double>(to - from);
            const Slope slope{heights[to] - base, run};
            if (to == from + 1 || (!slope.Below(low) && !high.Below(slope)))
                reach = to;
            const Slope lowest{heights[to] - base - limit, run};
            const Slope highest{heights[to] - base + limit, run};
            if (to == from + 1 || low.Below(lowest))
                low = lowest;
            if (to == from + 1 || highest.Below(high))
                high = highest;
            if (high.Below(low))
                break;
        }
        kept.push_back(reach);
        from = reach;
    }
    return kept;
}
