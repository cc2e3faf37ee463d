// The native output file on disk, and the test's file in memory doing the same.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plugin/export/StdioOutputFile.h"
#include "tests/plugin/export/MemoryOutputFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// What a writer does: a header with a length to fix, a body, the fix, one write more (which
// must land at the end, not after the patched field), close.
void WriteWithPatch(OutputFile& file, const std::string& path) {
    ASSERT_TRUE(file.Create(path));
    const Bytes head = {'H', 0, 0, 0, 0};
    const Bytes body(100, 'b');
    const Bytes length = {100, 0, 0, 0};
    const Bytes tail = {'T'};
    EXPECT_TRUE(file.Write(head.data(), head.size()));
    EXPECT_TRUE(file.Write(body.data(), body.size()));
    EXPECT_TRUE(file.WriteAt(1, length.data(), length.size()));
    EXPECT_TRUE(file.Write(tail.data(), tail.size()));
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close()) << "closing a closed file";
}

Bytes Patched() {
    Bytes expected = {'H', 100, 0, 0, 0};
    expected.insert(expected.end(), 100, 'b');
    expected.push_back('T');
    return expected;
}

TEST(StdioOutputFile, APatchLeavesTheEndWhereItWas) {
    TempFolder dir;
    const std::string path = dir.File("patched.bin");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(5000, 'x');
    }
    StdioOutputFile file;
    WriteWithPatch(file, path);
    EXPECT_EQ(ReadBytes(path), Patched()) << "an existing file is replaced";
}

TEST(StdioOutputFile, DiscardRemovesTheFile) {
    TempFolder dir;
    const std::string path = dir.File("gone.bin");
    StdioOutputFile file;
    ASSERT_TRUE(file.Create(path));
    const Bytes some(10, 1);
    EXPECT_TRUE(file.Write(some.data(), some.size()));
    file.Discard();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(StdioOutputFile, WithoutAFileNothingIsWritten) {
    TempFolder dir;
    StdioOutputFile file;
    EXPECT_FALSE(file.Create(dir.File("no-such-folder/file.bin")));
    const Bytes some(10, 1);
    EXPECT_FALSE(file.Write(some.data(), some.size()));
    EXPECT_FALSE(file.WriteAt(0, some.data(), some.size()));
    EXPECT_TRUE(file.Close());
}

TEST(MemoryOutputFile, HoldsWhatTheFileOnDiskHolds) {
    MemoryOutputFile file;
    WriteWithPatch(file, "patched.bin");
    EXPECT_EQ(file.bytes, Patched());
    EXPECT_EQ(file.closes, 1);
}

} // namespace
