#pragma once
// The search for the lowest error limit whose result has at most a budget of triangles. A
// result's count falls with its limit about as a power of it, so each limit is aimed, in
// logarithms of both, from the tries around the budget (between the nearest on either side
// once there are both, beyond the nearest two while there are not), a little under the budget.
// It stops once those counts tell that the limit that fits could be only a little lower, or the
// limits on either side of it are close, or after a few tries; then, if nothing fitted, it tries
// the ceiling last.

#include <cstdint>
#include <optional>

class BudgetSearch {
  public:
    // floor..ceiling: the limits it may try (a floor above the ceiling is lowered to it);
    // first: the one to try first (held within them).
    BudgetSearch(std::uint64_t budget, double floor, double ceiling, double first);

    // The next limit to try, or nothing when the search is done.
    std::optional<double> Next() const;
    // A try's result; returns whether it is the best so far (it fits, at the lowest limit).
    bool Record(double limit, std::uint64_t triangles);

    // Whether a try at the ceiling did not fit: nothing the search may try can.
    bool Hopeless() const { return !fits_ && tooMany_ && tooMany_->limit >= ceiling_; }

  private:
    struct Try {
        double limit;
        std::uint64_t triangles;
    };
    // The power of the limit the count falls as, measured between two tries (or typical).
    static double Slope(const Try& from, const std::optional<Try>& other);
    // The limit that aims, from `from` with the slope of from and other, at a count a little
    // under the budget, at most kReach times as far in either direction.
    double Aim(const Try& from, const std::optional<Try>& other) const;

    std::uint64_t budget_;
    double floor_, ceiling_, first_;
    // The lowest limit that fitted and the one that fitted before it; the highest that did not
    // and the one before it.
    std::optional<Try> fits_, fitsBefore_, tooMany_, tooManyBefore_;
    std::uint64_t tries_ = 0;
    int streak_ = 0; // how many tries in a row fitted (above 0) or did not (below)
};
