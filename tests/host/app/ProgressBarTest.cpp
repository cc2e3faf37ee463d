// The progress bar's place and the columns each progress call fills.
#include <gtest/gtest.h>

#include <limits>

#include "host/app/ProgressBar.h"

namespace {

// A client area 200 wide and 150 high, a label 16 high.
ProgressBarLayout Layout200() {
    return LayOutProgressBar(200, 150, 16);
}

TEST(ProgressBar, SitsAtTheBottomWithTheInnerColumnsClearOfTheFrame) {
    const ProgressBarLayout layout = Layout200();
    EXPECT_EQ(layout.frame.left, 3);
    EXPECT_EQ(layout.frame.right, 197);
    EXPECT_EQ(layout.frame.top, 150 - 20);
    EXPECT_EQ(layout.frame.bottom, 149);
    EXPECT_EQ(layout.labelX, 5);
    EXPECT_EQ(layout.labelY, 132);
    // Columns 4 to 195 are filled, the top stays on the frame's top.
    EXPECT_EQ(layout.fill.left, 4);
    EXPECT_EQ(layout.fill.right, 196);
    EXPECT_EQ(layout.fill.top, 130);
    EXPECT_EQ(layout.fill.bottom, 148);
    EXPECT_EQ(kProgressLabel.size(), 23u);
}

TEST(ProgressBar, FillsTwoStepsAheadOfWhatIsDone) {
    ProgressColumns columns(Layout200().fill);
    const ColumnSpan first = columns.Advance(0, 10);
    EXPECT_EQ(first.first, 4);
    EXPECT_EQ(first.end, 4 + 192 * 2 / 10);
    const ColumnSpan next = columns.Advance(5, 10);
    EXPECT_EQ(next.first, first.end);
    EXPECT_EQ(next.end, 4 + 192 * 7 / 10);
    const ColumnSpan last = columns.Advance(9, 10);
    EXPECT_EQ(last.end, 196);
    EXPECT_TRUE(EndsProgress(10, 10));
    EXPECT_FALSE(EndsProgress(9, 10));
}

TEST(ProgressBar, ALaterSmallerValueNeverClearsFilledColumns) {
    ProgressColumns columns(Layout200().fill);
    const ColumnSpan far = columns.Advance(6, 10);
    const ColumnSpan back = columns.Advance(1, 10);
    EXPECT_GE(back.first, back.end);
    EXPECT_EQ(columns.FilledEnd(), far.end);
    // Going on from the earlier value inverts only columns past the old end.
    const ColumnSpan on = columns.Advance(8, 10);
    EXPECT_EQ(on.first, far.end);
    EXPECT_EQ(on.end, 196);
}

TEST(ProgressBar, NothingIsDrawnForNoTotalOrANarrowBar) {
    ProgressColumns columns(Layout200().fill);
    for (std::int32_t total : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        const ColumnSpan span = columns.Advance(5, total);
        EXPECT_GE(span.first, span.end) << total;
    }
    // A client area so narrow that the bar has no inner column, or a negative width: the
    // bar is not shown at all.
    EXPECT_TRUE(HasColumns(LayOutProgressBar(9, 100, 16).fill));
    EXPECT_FALSE(HasColumns(LayOutProgressBar(8, 100, 16).fill));
    for (int right : {8, 7, 0}) {
        ProgressColumns narrow(LayOutProgressBar(right, 100, 16).fill);
        const ColumnSpan span = narrow.Advance(9, 10);
        EXPECT_GE(span.first, span.end) << right;
    }
}

TEST(ProgressBar, OutOfRangeValuesAreHeldAndHugeOnesDoNotOverflow) {
    ProgressColumns columns(Layout200().fill);
    const ColumnSpan negative = columns.Advance(-100, 10);
    EXPECT_GE(negative.first, negative.end);
    const ColumnSpan over = columns.Advance(500, 10);
    EXPECT_EQ(over.end, 196);
    // 32-bit arithmetic would wrap width x done here.
    ProgressColumns wide(LayOutProgressBar(4000, 100, 16).fill);
    const std::int32_t total = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(wide.Advance(total / 2, total).end, 4 + (3992 / 2));
    EXPECT_EQ(wide.Advance(total - 1, total).end, 3996);
}

} // namespace
