#include <gtest/gtest.h>

#include "plugin/preview/ProgressBar.h"

namespace {

TEST(ProgressBar, ValueZeroBlanksTheInnerArea) {
    const ProgressBarPaint paint = PaintProgressBar(120, 18, 0, 100);
    EXPECT_TRUE(paint.white);
    EXPECT_EQ(paint.rect.left, 1);
    EXPECT_EQ(paint.rect.top, 1);
    EXPECT_EQ(paint.rect.right, 119);
    EXPECT_EQ(paint.rect.bottom, 17);
}

TEST(ProgressBar, BlackPartEndsAtRightTimesValueOverMaximum) {
    EXPECT_EQ(PaintProgressBar(120, 18, 50, 100).rect.right, 59); // 119 * 50 / 100
    EXPECT_EQ(PaintProgressBar(120, 18, 100, 100).rect.right, 119);
    EXPECT_FALSE(PaintProgressBar(120, 18, 1, 100).white);
    // Tiny values give an empty bar rather than one reaching left of the frame.
    EXPECT_LE(PaintProgressBar(120, 18, 1, 1000).rect.right, 1);
}

TEST(ProgressBar, LargeCountsNeitherOverflowNorRunPastTheFrame) {
    const std::uint32_t maximum = 2u * 1023u * 1023u * 2u;
    EXPECT_EQ(PaintProgressBar(120, 18, maximum / 2, maximum).rect.right, 59);
    EXPECT_EQ(PaintProgressBar(120, 18, maximum, maximum / 3).rect.right, 119);
    const ProgressBarPaint none = PaintProgressBar(120, 18, 5, 0);
    EXPECT_LE(none.rect.right, none.rect.left);
}

} // namespace
