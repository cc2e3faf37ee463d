// The budget's search against counts made up to fall as powers of the limit, flat stretches
// and a budget nothing meets: few tries, always a fit when there is one, a limit close above
// the lowest that fits, and the ceiling tried last when nothing does.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "simplify/BudgetSearch.h"

namespace {

struct Searched {
    double best = -1; // the limit kept, or -1
    double last = -1; // the limit tried last
    int tries = 0;
    bool hopeless = false;
};

Searched Search(BudgetSearch search, const std::function<std::uint64_t(double)>& count) {
    Searched out;
    while (const std::optional<double> limit = search.Next()) {
        ++out.tries;
        out.last = *limit;
        if (search.Record(*limit, count(*limit)))
            out.best = *limit;
    }
    out.hopeless = search.Hopeless();
    return out;
}

TEST(BudgetSearch, FindsThePowersRootInAFewTries) {
    for (const double power : {0.3, 1.0, 1.7, 3.0, 9.0})
        for (const std::uint64_t budget : {50, 10000, 3000000}) {
            const double scale = 1e5 * budget;
            const auto count = [&](double limit) {
                return static_cast<std::uint64_t>(std::ceil(scale * std::pow(limit, -power)));
            };
            const double root = std::pow(scale / budget, 1 / power);
            // From a limit whose count is 0.6 of the budget, as after collapses.
            const double ceiling = root * std::pow(0.6, -1 / power);
            const Searched s = Search(BudgetSearch(budget, 0, ceiling, 0.7 * ceiling), count);
            const std::string what = std::to_string(power) + ", " + std::to_string(budget);
            ASSERT_GT(s.best, 0) << what;
            EXPECT_LE(count(s.best), budget) << what;
            EXPECT_LE(s.best, root * 1.02) << what;
            // A small count's steps are coarse: a triangle more or less is a few percent.
            EXPECT_LE(s.tries, budget < 1000 ? 7 : 4) << what;
        }
}

TEST(BudgetSearch, AFlatStretchLeadsToTheFloor) {
    // Every limit below 2 keeps all 900 triangles, which fit.
    const auto count = [](double limit) -> std::uint64_t { return limit < 2 ? 900 : 500; };
    const Searched s = Search(BudgetSearch(1000, 0.25, 10, 3), count);
    EXPECT_EQ(s.best, 0.25);
    EXPECT_LE(s.tries, 5);
}

TEST(BudgetSearch, EndsAtTheCeilingWhenNothingFits) {
    const auto count = [](double limit) { return static_cast<std::uint64_t>(300 + 1000 / limit); };
    const Searched s = Search(BudgetSearch(200, 0, 50, 1), count);
    EXPECT_EQ(s.best, -1);
    EXPECT_TRUE(s.hopeless);
    EXPECT_EQ(s.last, 50);
    EXPECT_LE(s.tries, 9);
}

} // namespace
