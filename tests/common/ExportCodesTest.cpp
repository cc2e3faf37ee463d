// The selector travels in a 32-bit slot of which only the low 16 bits count.

#include <gtest/gtest.h>

#include "common/ExportCodes.h"

namespace {

TEST(SelectorFromSlot, KeepsTheLowSixteenBitsSigned) {
    EXPECT_EQ(SelectorFromSlot(2), exportSelectorContinue);
    EXPECT_EQ(SelectorFromSlot(0x12340003), exportSelectorFinish);
    EXPECT_EQ(SelectorFromSlot(static_cast<std::int32_t>(0xFFFF0004u)), exportSelectorPrepare);
    EXPECT_EQ(SelectorFromSlot(static_cast<std::int32_t>(0xABCD0000u)), exportSelectorAbout);
    EXPECT_EQ(SelectorFromSlot(-1), -1);
    EXPECT_EQ(SelectorFromSlot(0x00010000), exportSelectorAbout);
    EXPECT_EQ(SelectorFromSlot(0x8000), -32768);
}

} // namespace
