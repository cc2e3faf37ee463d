#include "plugin/ui/SliderStepper.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The reports of a drag that stays at one position from tick start, polled every 10 ms for
// the given time.
std::vector<SliderStep> HoldStill(SliderStepper& stepper, int pos, std::uint32_t start,
                                  std::uint32_t ms) {
    std::vector<SliderStep> reports;
    for (std::uint32_t t = 0; t <= ms; t += 10) {
        const SliderStep step = stepper.Step(pos, start + t);
        if (step != SliderStep::None) {
            reports.push_back(step);
        }
    }
    return reports;
}

TEST(SliderStepperTest, FirstPassIsAMovementThenStillnessIsQuiet) {
    SliderStepper stepper;
    EXPECT_EQ(stepper.Step(40, 1000), SliderStep::Track);
    EXPECT_EQ(stepper.Step(40, 1000), SliderStep::None);
    EXPECT_EQ(stepper.Step(40, 1250), SliderStep::None);
    EXPECT_EQ(stepper.Step(41, 1250), SliderStep::Track);
    EXPECT_EQ(stepper.Step(30, 1250), SliderStep::Track);
}

TEST(SliderStepperTest, HoldingStillReportsHoldThenRepeats) {
    SliderStepper stepper;
    ASSERT_EQ(stepper.Step(40, 5000), SliderStep::Track);
    // Still from 5000 on: more than 250 ms after 5000 is 5260, then every 260 ms.
    const std::vector<SliderStep> reports = HoldStill(stepper, 40, 5000, 600);
    EXPECT_EQ(reports, (std::vector<SliderStep>{SliderStep::Hold, SliderStep::HoldRepeat}));
}

TEST(SliderStepperTest, MovingStartsTheHoldOver) {
    SliderStepper stepper;
    stepper.Step(40, 0);
    EXPECT_EQ(HoldStill(stepper, 40, 0, 300).front(), SliderStep::Hold);
    EXPECT_EQ(stepper.Step(60, 310), SliderStep::Track);
    EXPECT_EQ(HoldStill(stepper, 60, 320, 300).front(), SliderStep::Hold);
}

// The tick counter wraps after 49.7 days; a hold across the wrap still reports on time
// instead of waiting for the counter to come round again.
TEST(SliderStepperTest, HoldAcrossTickWraparound) {
    SliderStepper stepper;
    const std::uint32_t start = 0xFFFFFF00u;
    stepper.Step(40, start);
    EXPECT_EQ(stepper.Step(40, start), SliderStep::None);
    EXPECT_EQ(stepper.Step(40, start + 200), SliderStep::None); // wrapped: 0x000000C8
    EXPECT_EQ(stepper.Step(40, start + 251), SliderStep::Hold);
    EXPECT_TRUE(TicksPassed(0xFFFFFFF0u, 0x10u, 0x1Fu));
    EXPECT_FALSE(TicksPassed(0xFFFFFFF0u, 0x10u, 0x20u));
}

} // namespace
