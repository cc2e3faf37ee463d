// How the byte sink hands outputBuffer to the file: full buffers only, the rest at the flush,
// records cut anywhere by a buffer boundary, patches in place, nothing after a failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "plugin/export/ByteSink.h"
#include "tests/support/MemoryOutputFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A sink over its own buffer and a file in memory, created and open.
struct SinkRun {
    SinkRun() { file.Create("sink.out"); }
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kOutputBufferSize);
    MemoryOutputFile file;
    ByteSink sink{buffer.data(), file};
};

Bytes Counting(std::size_t size) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST(ByteSink, FullBuffersGoOutAndTheRestWaitsForTheFlush) {
    SinkRun run;
    const Bytes bytes(40000, 0xAB);
    run.sink.PutBytes(bytes.data(), bytes.size());
    EXPECT_EQ(run.file.writes, (std::vector<std::size_t>{16384, 16384}));
    EXPECT_EQ(run.sink.Position(), 40000u);
    run.sink.Flush();
    EXPECT_EQ(run.file.writes, (std::vector<std::size_t>{16384, 16384, 7232}));
    EXPECT_EQ(run.file.bytes, bytes);
    run.sink.Flush(); // nothing waits: no empty write
    EXPECT_EQ(run.file.writes.size(), 3u);
}

TEST(ByteSink, ValuesGoOutInTheirByteOrder) {
    SinkRun run;
    run.sink.PutU16LE(0x1234);
    run.sink.PutU32LE(0x89ABCDEF);
    run.sink.PutF32LE(-2.0f); // 0xC0000000
    run.sink.PutU32BE(0x89ABCDEF);
    run.sink.Flush();
    EXPECT_EQ(run.file.bytes, (Bytes{0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0x00, 0x00, 0x00, 0xC0,
                                     0x89, 0xAB, 0xCD, 0xEF}));
}

// Records of every size the writers use, from every fill level near the buffer's end: the
// file holds them in order, and only ever receives full buffers before the flush.
TEST(ByteSink, RecordsCutByTheBufferEndArriveWhole) {
    for (std::size_t size : {2u, 4u, 8u, 12u, 16u, 37u}) {
        for (std::size_t lead = kOutputBufferSize - 2 * size; lead <= kOutputBufferSize; ++lead) {
            SinkRun run;
            const Bytes head = Counting(lead);
            run.sink.PutBytes(head.data(), head.size());
            constexpr std::size_t kCount = 5;
            run.sink.PutRecords(kCount, size, [&](std::size_t i, std::uint8_t* out) {
                for (std::size_t k = 0; k < size; ++k)
                    out[k] = static_cast<std::uint8_t>(0x80 + 8 * i + k);
            });
            Bytes expected = head;
            for (std::size_t i = 0; i < kCount; ++i)
                for (std::size_t k = 0; k < size; ++k)
                    expected.push_back(static_cast<std::uint8_t>(0x80 + 8 * i + k));
            for (std::size_t written : run.file.writes)
                EXPECT_EQ(written, kOutputBufferSize) << size << " " << lead;
            run.sink.Flush();
            ASSERT_EQ(run.file.bytes, expected) << size << " " << lead;
        }
    }
}

TEST(ByteSink, ARecordShorterThanItsRoomTakesOnlyItsSize) {
    for (std::size_t lead = kOutputBufferSize - 40; lead <= kOutputBufferSize; ++lead) {
        SinkRun run;
        const Bytes head = Counting(lead);
        run.sink.PutBytes(head.data(), head.size());
        // Room for 16 bytes asked, 8 used (a triangle of a 3DS quad's room).
        for (int record = 0; record < 3; ++record)
            run.sink.PutRecord(16, [&](std::uint8_t* out) -> std::size_t {
                std::fill(out, out + 8, static_cast<std::uint8_t>(0xF0 + record));
                return 8;
            });
        run.sink.Flush();
        Bytes expected = head;
        for (int record = 0; record < 3; ++record)
            expected.insert(expected.end(), 8, static_cast<std::uint8_t>(0xF0 + record));
        ASSERT_EQ(run.file.bytes, expected) << lead;
        EXPECT_EQ(run.sink.Position(), expected.size());
    }
}

TEST(ByteSink, APatchOverwritesInPlaceAfterWhatWaits) {
    SinkRun run;
    run.sink.PutU32BE(0);
    run.sink.PutBytes("abcd", 4);
    // Still in the buffer: the patch must not land before its field.
    run.sink.PatchU32BE(0, 0x01020304);
    run.sink.PatchU32LE(4, 0x01020304);
    run.sink.PutBytes("ef", 2);
    run.sink.Flush();
    EXPECT_EQ(run.file.bytes, (Bytes{1, 2, 3, 4, 4, 3, 2, 1, 'e', 'f'}));
    EXPECT_EQ(run.file.patches, 2);
    EXPECT_EQ(run.sink.Position(), 10u);
    EXPECT_FALSE(run.sink.Failed());
}

TEST(ByteSink, NothingReachesTheFileAfterAFailedWrite) {
    SinkRun run;
    run.file.failAtWrite = 2;
    const Bytes bytes(3 * kOutputBufferSize, 0x11);
    run.sink.PutBytes(bytes.data(), bytes.size());
    EXPECT_TRUE(run.sink.Failed());
    EXPECT_EQ(run.file.writes.size(), 2u);
    // Whatever comes later is dropped, in every way of putting bytes.
    run.sink.PutBytes(bytes.data(), bytes.size());
    run.sink.PutU32LE(7);
    run.sink.PutRecords(5000, 12,
                        [](std::size_t, std::uint8_t* out) { std::fill(out, out + 12, 0); });
    run.sink.PutRecord(16, [](std::uint8_t* out) -> std::size_t {
        std::fill(out, out + 16, 0);
        return 16;
    });
    run.sink.Flush();
    run.sink.PatchU32LE(0, 1);
    EXPECT_EQ(run.file.writes.size(), 2u);
    EXPECT_EQ(run.file.patches, 0);
    EXPECT_EQ(run.file.bytes, Bytes(kOutputBufferSize, 0x11));
    EXPECT_TRUE(run.sink.Failed());
}

TEST(ByteSink, AFailedPatchFailsTheSink) {
    SinkRun run;
    run.file.failPatch = true;
    run.sink.PutU32LE(0);
    run.sink.PatchU32LE(0, 1);
    EXPECT_TRUE(run.sink.Failed());
    run.sink.PatchU32LE(0, 2);
    EXPECT_EQ(run.file.patches, 1);
}

} // namespace
