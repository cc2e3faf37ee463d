#include "simplify/BudgetSearch.h"

#include <algorithm>
#include <cmath>

#include "simplify/PortableMath.h"

namespace {

// Done when the limit that fits could be at most this share lower, as far as the counts about
// it tell, or the limits on either side of it are this close.
constexpr double kClose = 0.01;
// At most this many tries.
constexpr std::uint64_t kMostTries = 8;
// The count of a terrain's result falls about as the limit to this power (1 to 2); the slope
// measured between two tries is held within kSlopes.
constexpr double kTypicalSlope = 1.3;
constexpr double kSlopes[2] = {0.1, 4.0};
// A limit aimed beyond the tries moves at most this many times from the nearest.
constexpr double kReach = 16;
// A limit aimed between two tries stays this share of the way (in logarithms) from each; from
// a limit of 0, between this share of the one that fits and the latter.
constexpr double kInside = 0.1;
// Two limits that fit with the same count are first taken this far apart, then to the floor.
constexpr double kPlateau = 4;

} // namespace

BudgetSearch::BudgetSearch(std::uint64_t budget, double floor, double ceiling, double first)
    : budget_(budget), floor_(std::min(floor, ceiling)), ceiling_(ceiling),
      first_(std::clamp(first, floor_, ceiling)) {}

double BudgetSearch::Slope(const Try& from, const std::optional<Try>& other) {
    if (!other || other->limit <= 0 || from.limit <= 0 || other->limit == from.limit)
        return kTypicalSlope;
    const double measured = PortableLog(double(other->triangles) / double(from.triangles)) /
                            PortableLog(from.limit / other->limit);
    return measured > 0 ? std::clamp(measured, kSlopes[0], kSlopes[1]) : kTypicalSlope;
}

double BudgetSearch::Aim(const Try& from, const std::optional<Try>& other) const {
    // A count whose limit is half the closeness above the lowest that fits, and more than one
    // that fits already has.
    const double slope = Slope(from, other);
    double target = double(budget_) * PortableExp(-slope * kClose / 2);
    if (from.triangles <= budget_)
        target = std::max(target, double(from.triangles) + 0.5);
    const double aimed = from.limit * PortablePow(double(from.triangles) / target, 1 / slope);
    return std::clamp(aimed, from.limit / kReach, from.limit * kReach);
}

std::optional<double> BudgetSearch::Next() const {
    if (tries_ == 0)
        return first_;
    if (Hopeless() || (fits_ && tries_ >= kMostTries))
        return std::nullopt;
    if (tries_ >= kMostTries)
        return ceiling_;
    // A limit of 0 has a count but no logarithm: the slope is then measured where it fits.
    const bool fromZero = tooMany_ && tooMany_->limit <= 0;
    if (fits_) {
        // How much lower, as a share, the limit that fits could go, as far as the counts about
        // it tell (a typical slope tells nothing).
        const std::optional<Try>& other = tooMany_ && !fromZero ? tooMany_ : fitsBefore_;
        const double gain = other ? PortableLog(double(budget_ + 1) / double(fits_->triangles)) /
                                        Slope(*fits_, other)
                                  : 1;
        const bool closed = tooMany_ && tooMany_->limit >= fits_->limit * (1 - kClose);
        if (gain <= kClose || closed || fits_->limit <= floor_)
            return std::nullopt;
    }
    // The same count at two limits that fit: a plateau, which may reach down to the floor.
    const bool stalled = fits_ && fitsBefore_ && fitsBefore_->triangles == fits_->triangles;
    if (fits_ && tooMany_) {
        // Between the two, clear of both; across a plateau, halfway.
        const double high = PortableLog(fits_->limit);
        const double low = fromZero ? high + PortableLog(kInside) : PortableLog(tooMany_->limit);
        double at = 0.5;
        if (fromZero) {
            at = (PortableLog(Aim(*fits_, fitsBefore_)) - low) / (high - low);
        } else {
            // A secant in logarithms; an end that stayed while the other moved twice counts half
            // as much for each move beyond the first, so that the other does not creep.
            const double target =
                PortableLog(double(budget_)) - Slope(*fits_, tooMany_) * kClose / 2;
            double over = PortableLog(double(tooMany_->triangles)) - target;
            double under = PortableLog(double(fits_->triangles)) - target;
            if (streak_ < -1)
                under *= std::ldexp(1.0, streak_ + 1);
            if (streak_ > 1)
                over *= std::ldexp(1.0, 1 - streak_);
            at = under < 0 ? over / (over - under) : 1;
        }
        at = stalled ? 0.5 : std::clamp(at, kInside, 1 - kInside);
        return PortableExp(low + at * (high - low));
    }
    if (stalled)
        return fitsBefore_->limit >= fits_->limit * kPlateau
                   ? floor_
                   : std::max(floor_, fits_->limit / kPlateau);
    if (fits_)
        return std::max(floor_, Aim(*fits_, fitsBefore_));
    if (fromZero)
        return ceiling_;
    return std::min(ceiling_, Aim(*tooMany_, tooManyBefore_));
}

bool BudgetSearch::Record(double limit, std::uint64_t triangles) {
    ++tries_;
    const Try result{limit, triangles};
    // The nearest two on each side are kept: lower limits are nearer among those that fit,
    // higher among those that do not.
    const bool fits = triangles <= budget_;
    streak_ = fits ? std::max(streak_, 0) + 1 : std::min(streak_, 0) - 1;
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
