#include "simplify/BudgetSearch.h"

#include <algorithm>
#include <cmath>

namespace {

// Done when a result fills all but this share of the budget, or the limits about it are this
// close (a share of the one that fits).
constexpr double kClose = 0.01;
// At most this many tries.
constexpr std::uint64_t kMostTries = 8;
// The count of a terrain's result falls about as the limit to this power (1 to 2); the slope
// measured between two tries is held within kSlopes.
constexpr double kTypicalSlope = 1.3;
constexpr double kSlopes[2] = {0.1, 4.0};
// A limit aimed beyond the tries moves at most this many times from the nearest.
constexpr double kReach = 16;
// A limit aimed between two tries stays this share of the way (in logarithms) from each.
constexpr double kInside = 0.1;

} // namespace

BudgetSearch::BudgetSearch(std::uint64_t budget, double floor, double ceiling, double first)
    : budget_(budget), floor_(std::min(floor, ceiling)), ceiling_(ceiling),
      first_(std::clamp(first, floor_, ceiling)) {}

double BudgetSearch::Aim(const Try& from, const std::optional<Try>& other) const {
    double slope = kTypicalSlope;
    if (other && other->limit > 0 && from.limit > 0 && other->limit != from.limit) {
        const double measured = std::log(double(other->triangles) / double(from.triangles)) /
                                std::log(from.limit / other->limit);
        if (measured > 0)
            slope = std::clamp(measured, kSlopes[0], kSlopes[1]);
    }
    const double target = double(budget_) * (1 - kClose / 2);
    const double aimed = from.limit * std::pow(double(from.triangles) / target, 1 / slope);
    return std::clamp(aimed, from.limit / kReach, from.limit * kReach);
}

std::optional<double> BudgetSearch::Next() const {
    if (tries_ == 0)
        return first_;
    if (Hopeless() || (fits_ && tries_ >= kMostTries))
        return std::nullopt;
    if (tries_ >= kMostTries)
        return ceiling_;
    if (fits_) {
        const bool full = double(fits_->triangles) >= double(budget_) * (1 - kClose);
        const bool closed = tooMany_ && tooMany_->limit >= fits_->limit * (1 - kClose);
        if (full || closed || fits_->limit <= floor_)
            return std::nullopt;
    }
    if (fits_ && tooMany_) {
        // Between the two, clear of both.
        const double aimed = Aim(*fits_, tooMany_);
        if (tooMany_->limit <= 0)
            return std::min(aimed, fits_->limit * (1 - kInside));
        const double low = std::log(tooMany_->limit), high = std::log(fits_->limit);
        const double at = std::clamp((std::log(aimed) - low) / (high - low), kInside, 1 - kInside);
        return std::exp(low + at * (high - low));
    }
    if (fits_) {
        // The same count at two limits: a plateau that may reach down to the floor.
        if (fitsBefore_ && fitsBefore_->triangles == fits_->triangles)
            return floor_;
        return std::max(floor_, Aim(*fits_, fitsBefore_));
    }
    if (tooMany_->limit <= 0)
        return ceiling_;
    return std::min(ceiling_, Aim(*tooMany_, tooManyBefore_));
}

bool BudgetSearch::Record(double limit, std::uint64_t triangles) {
    ++tries_;
    const Try result{limit, triangles};
    // The nearest two on each side are kept: lower limits are nearer among those that fit,
    // higher among those that do not.
    const bool fits = triangles <= budget_;
    const auto nearer = [&](const std::optional<Try>& than) {
        return !than || (fits ? limit < than->limit : limit > than->limit);
    };
    std::optional<Try>& nearest = fits ? fits_ : tooMany_;
    std::optional<Try>& before = fits ? fitsBefore_ : tooManyBefore_;
    if (nearer(nearest)) {
        before = nearest;
        nearest = result;
        return fits;
    }
    if (nearer(before))
        before = result;
    return false;
}
