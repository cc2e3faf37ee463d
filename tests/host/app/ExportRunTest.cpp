// What the host puts in the export record, which pictures it hands over, and the order in
// which it calls the plug-in.
#include <gtest/gtest.h>

#include <vector>

#include "common/ExportCodes.h"
#include "host/app/ExportRun.h"

namespace {

void QM_CDECL Progress(std::int32_t, std::int32_t) {}
void QM_CDECL Host(std::int16_t, std::int32_t*) {}

TEST(ExportRecordFill, EveryHostFieldIsSetAndTheRestStaysZero) {
    std::vector<std::uint8_t> pixels(12 * 5);
    PlatformData platform{42};
    BufferProcs procs{1933, 1, nullptr, nullptr, nullptr, nullptr};
    ExportRecord record{};
    FillExportRecord(record, {pixels.data(), 10, 5, 12, 8}, {Progress, Host, &platform, &procs});
    EXPECT_EQ(record.serialNumber, 0);
    EXPECT_EQ(record.abortProc, nullptr);
    EXPECT_EQ(record.progressProc, &Progress);
    EXPECT_EQ(record.maxData, 65536);
    EXPECT_EQ(record.imageMode, 1);
    EXPECT_EQ(record.imageSize.h, 10);
    EXPECT_EQ(record.imageSize.v, 5);
    EXPECT_EQ(record.depth, 8);
    EXPECT_EQ(record.planes, 1);
    EXPECT_EQ(record.data, pixels.data());
    EXPECT_EQ(record.rowBytes, 12);
    EXPECT_EQ(record.hostProc, &Host);
    EXPECT_EQ(record.platformData, &platform);
    EXPECT_EQ(record.bufferProcs, &procs);
    EXPECT_EQ(record.theRect.top | record.theRect.left | record.theRect.bottom |
                  record.theRect.right | record.loPlane | record.hiPlane | record.dirty,
              0);
    for (std::uint8_t b : record.reservedResolutionAndColours)
        ASSERT_EQ(b, 0);
}

TEST(ExportRecordFill, SixteenBitSizesAndStridesAreWidenedWithoutSign) {
    std::vector<std::uint8_t> pixels(1);
    ExportRecord record{};
    FillExportRecord(record, {pixels.data(), 65000, 40000, 65000, 8}, {});
    EXPECT_EQ(static_cast<std::uint16_t>(record.imageSize.h), 65000);
    EXPECT_EQ(static_cast<std::uint16_t>(record.imageSize.v), 40000);
    EXPECT_EQ(record.rowBytes, 65000);
}

TEST(ExportableImage, OnlyEightBitRowsTheStrideCanHold) {
    std::vector<std::uint8_t> pixels(1);
    EXPECT_TRUE(IsExportable({pixels.data(), 10, 5, 12, 8}));
    EXPECT_TRUE(IsExportable({pixels.data(), 12, 5, 12, 8}));
    EXPECT_TRUE(IsExportable({pixels.data(), 65535, 1, 65535, 8}));
    EXPECT_FALSE(IsExportable({nullptr, 10, 5, 12, 8}));
    EXPECT_FALSE(IsExportable({pixels.data(), 10, 5, 32, 24}));
    EXPECT_FALSE(IsExportable({pixels.data(), 10, 5, 8, 4}));
    EXPECT_FALSE(IsExportable({pixels.data(), 10, 5, 8, 8}));
    // The plug-in reads rowBytes as 16 bits: a longer row would be read at the wrong place.
    EXPECT_FALSE(IsExportable({pixels.data(), 65535, 1, 65536, 8}));
}

struct FakePlugin {
    std::vector<std::int16_t> calls;
    std::int16_t failAt = -1;
    std::int16_t failure = 0;
    std::int16_t operator()(std::int16_t selector) {
        calls.push_back(selector);
        return selector == failAt ? failure : std::int16_t{0};
    }
};

TEST(ExportSelectors, ARunCallsPrepareStartContinueAndFinishOnce) {
    FakePlugin plugin;
    EXPECT_EQ(RunExportSelectors(std::ref(plugin)), ExportOutcome::kDone);
    EXPECT_EQ(plugin.calls, (std::vector<std::int16_t>{4, 1, 2, 3}));
}

TEST(ExportSelectors, FinishsOwnResultIsNotLookedAt) {
    FakePlugin plugin{{}, exportSelectorFinish, userDeclined};
    EXPECT_EQ(RunExportSelectors(std::ref(plugin)), ExportOutcome::kDone);
}

TEST(ExportSelectors, ANoAtStartIsDeclinedNotAFailure) {
    FakePlugin plugin{{}, exportSelectorStart, userDeclined};
    EXPECT_EQ(RunExportSelectors(std::ref(plugin)), ExportOutcome::kDeclined);
    EXPECT_EQ(plugin.calls, (std::vector<std::int16_t>{4, 1}));
}

TEST(ExportSelectors, AnErrorStopsTheRunWithoutFinish) {
    for (std::int16_t step : {exportSelectorPrepare, exportSelectorStart, exportSelectorContinue}) {
        for (std::int16_t error : {memFullErr, exportBadMode}) {
            FakePlugin plugin{{}, step, error};
            EXPECT_EQ(RunExportSelectors(std::ref(plugin)), ExportOutcome::kFailed);
            EXPECT_EQ(plugin.calls.back(), step);
            EXPECT_EQ(std::count(plugin.calls.begin(), plugin.calls.end(), 3), 0);
        }
    }
}

} // namespace
