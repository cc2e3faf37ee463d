// Fitting the main window to a picture.
#include <gtest/gtest.h>

#include "host/app/WindowFit.h"

namespace {

// A frame of 8 + 8 pixels, and a caption and menu of 50 above a client area.
constexpr int kFrameWidth = 16, kFrameHeight = 58;

TEST(WindowFit, TheClientAreaTakesThePictureSize) {
    const OuterSize size = FitOuterSize(208, 120, 400 + kFrameWidth, 300 + kFrameHeight, 400, 300);
    EXPECT_EQ(size.width, 208 + kFrameWidth);
    EXPECT_EQ(size.height, 120 + kFrameHeight);
}

TEST(WindowFit, ANarrowPictureGetsTheSmallestWindowWidthButItsOwnHeight) {
    const OuterSize size = FitOuterSize(100, 50, 300, 200, 300 - kFrameWidth, 200 - kFrameHeight);
    EXPECT_EQ(size.width, kMinimumOuterWidth);
    EXPECT_EQ(size.height, 50 + kFrameHeight);
    // One pixel wide and high: still a usable window, no height minimum.
    const OuterSize tiny = FitOuterSize(1, 1, 300, 200, 300 - kFrameWidth, 200 - kFrameHeight);
    EXPECT_EQ(tiny.width, 180);
    EXPECT_EQ(tiny.height, 1 + kFrameHeight);
}

TEST(WindowFit, TheLargestPictureDoesNotOverflow) {
    const OuterSize size = FitOuterSize(65535, 65535, 300, 200, 284, 142);
    EXPECT_EQ(size.width, 65535 + 16);
    EXPECT_EQ(size.height, 65535 + 58);
}

} // namespace
