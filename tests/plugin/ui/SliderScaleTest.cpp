#include "plugin/ui/SliderScale.h"

#include <gtest/gtest.h>

namespace {

SliderScale LogScale(int minimum, int maximum, int span) {
    return SliderScale{minimum, maximum, span, true};
}

TEST(SliderScaleTest, UnconfiguredSliderIsLinearZeroToTwenty) {
    const SliderScale scale{.span = 100};
    EXPECT_EQ(SliderPixelOfValue(scale, 0), 0);
    EXPECT_EQ(SliderPixelOfValue(scale, 10), 50);
    EXPECT_EQ(SliderPixelOfValue(scale, 20), 100);
    // (100 x 1 + 10) / 20 = 5 rounds half a step.
    EXPECT_EQ(SliderPixelOfValue(scale, 1), 5);
    EXPECT_EQ(SliderValueOfPixel(scale, 2), 0);
    EXPECT_EQ(SliderValueOfPixel(scale, 3), 1);
    EXPECT_EQ(SliderValueOfPixel(scale, 100), 20);
}

TEST(SliderScaleTest, ValuesAndPixelsOutsideAreClamped) {
    const SliderScale scale = LogScale(1, 500, 150);
    EXPECT_EQ(SliderPixelOfValue(scale, 9000), 150);
    EXPECT_EQ(SliderPixelOfValue(scale, -9000), 0);
    EXPECT_EQ(SliderValueOfPixel(scale, 400), 500);
    EXPECT_EQ(SliderValueOfPixel(scale, -4), 1);
}

TEST(SliderScaleTest, LogScaleGivesLowValuesMoreRoom) {
    const SliderScale scale = LogScale(1, 500, 150);
    EXPECT_EQ(SliderPixelOfValue(scale, 1), 0);
    EXPECT_EQ(SliderPixelOfValue(scale, 25), 34);
    // Pixel 34 stands for 24, the value a slider keeps after being set to 25.
    EXPECT_EQ(SliderValueOfPixel(scale, 34), 24);
    EXPECT_EQ(SliderPixelOfValue(scale, 500), 150);
    EXPECT_EQ(SliderValueOfPixel(scale, 150), 500);
    // Half the span is far below half the range.
    EXPECT_LT(SliderValueOfPixel(scale, 75), 100);
}

TEST(SliderScaleTest, LogScaleThroughZeroIsSymmetric) {
    const SliderScale scale = LogScale(-100, 100, 100);
    EXPECT_EQ(SliderPixelOfValue(scale, 0), 50);
    EXPECT_EQ(SliderPixelOfValue(scale, -100), 0);
    EXPECT_EQ(SliderPixelOfValue(scale, 100), 100);
    for (int v = 1; v <= 100; ++v) {
        EXPECT_EQ(SliderPixelOfValue(scale, v) - 50, 50 - SliderPixelOfValue(scale, -v)) << v;
    }
    EXPECT_EQ(SliderValueOfPixel(scale, 50), 0);
    EXPECT_EQ(SliderValueOfPixel(scale, 0), -100);
    EXPECT_EQ(SliderValueOfPixel(scale, 100), 100);
    EXPECT_EQ(SliderValueOfPixel(scale, 30), -SliderValueOfPixel(scale, 70));
}

TEST(SliderScaleTest, LogScaleBelowZeroStartsAtMinimum) {
    const SliderScale scale = LogScale(-500, -1, 150);
    EXPECT_EQ(SliderPixelOfValue(scale, -500), 0);
    EXPECT_EQ(SliderPixelOfValue(scale, -476), 34);
    EXPECT_EQ(SliderValueOfPixel(scale, 150), -1);
}

// Every scale the dialog and its users may set: the mapping never runs backwards and the
// ends meet the ends.
TEST(SliderScaleTest, MappingIsMonotonicWithEndsAtEnds) {
    const SliderScale scales[] = {{0, 20, 100, false},
                                  {1, 500, 150, true},
                                  {1, 5000, 143, true},
                                  {-100, 100, 90, true},
                                  {-30, 700, 61, true},
                                  {-700, 30, 61, true},
                                  {-32768, 32767, 1000, false},
                                  {-32768, 32767, 30000, true},
                                  {5, 6, 1, true},
                                  {-1, 1, 2, true}};
    for (const SliderScale& scale : scales) {
        SCOPED_TRACE(testing::Message() << scale.minimum << ".." << scale.maximum << " span "
                                        << scale.span << (scale.logarithmic ? " log" : ""));
        EXPECT_EQ(SliderValueOfPixel(scale, 0), scale.minimum);
        EXPECT_EQ(SliderValueOfPixel(scale, scale.span), scale.maximum);
        EXPECT_EQ(SliderPixelOfValue(scale, scale.maximum), scale.span);
        int previousValue = scale.minimum;
        for (int p = 0; p <= scale.span; p += 1 + scale.span / 500) {
            const int v = SliderValueOfPixel(scale, p);
            EXPECT_GE(v, previousValue) << p;
            previousValue = v;
        }
        int previousPixel = 0;
        for (int v = scale.minimum; v <= scale.maximum; v += 1 + (scale.maximum - v) / 300) {
            const int p = SliderPixelOfValue(scale, v);
            EXPECT_GE(p, previousPixel) << v;
            EXPECT_LE(p, scale.span) << v;
            previousPixel = p;
        }
    }
}

// A range the dialog never sets, or a track no wider than the pointer: the pointer stays at
// the start and the value at the minimum, with no division by zero.
TEST(SliderScaleTest, EmptyRangeOrSpanGivesStartAndMinimum) {
    const SliderScale scales[] = {{7, 7, 100, false}, {7, 7, 100, true},  {9, 3, 100, false},
                                  {9, 3, 100, true},  {1, 500, 0, true},  {1, 500, 0, false},
                                  {1, 500, -6, true}, {-5, 5, -1, false}, {-5, 5, 0, true}};
    for (const SliderScale& scale : scales) {
        for (int x : {-50, 0, 1, 50, 1000}) {
            EXPECT_EQ(SliderPixelOfValue(scale, x), 0);
            EXPECT_EQ(SliderValueOfPixel(scale, x), scale.minimum);
        }
    }
}

} // namespace
