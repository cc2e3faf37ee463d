#include <gtest/gtest.h>

#include "tests/plugin/preview/PreviewFakes.h"
#include "plugin/preview/PassPacer.h"

namespace {

TEST(PassPacer, DueOnlyOnceTheTickHasPassedTheDeadlineAcrossTheWrap) {
    FakeHost host;
    host.tick = 0xFFFFFFF0u;
    PassPacer pacer(host, 10);
    EXPECT_FALSE(pacer.Due()); // at the deadline, not past it
    host.tick += 1;
    EXPECT_TRUE(pacer.Due());
    pacer.Postpone(20); // deadline 0x00000005, past the wrap
    host.tick = 0x00000004u;
    EXPECT_FALSE(pacer.Due());
    host.tick = 0x00000006u;
    EXPECT_TRUE(pacer.Due());
}

TEST(PassPacer, NoProgressIsShownOutOfNothing) {
    FakeHost host;
    PassPacer empty(host, 0);
    empty.Report(0);
    EXPECT_TRUE(host.progress.empty());
    PassPacer some(host, 8);
    some.Report(3);
    EXPECT_EQ(host.progress, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{3, 8}}));
}

} // namespace
