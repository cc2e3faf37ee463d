// The native output file on disk, and the test's file in memory doing the same.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plugin/export/StdioOutputFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MemoryOutputFile.h"
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

// The old file stays whole until the new one is complete, and a write that is given up
// (discarded, or never closed) leaves it and nothing else.
TEST(StdioOutputFile, TheOldFileStaysUntilTheNewOneIsClosed) {
    TempFolder dir;
    const std::string path = dir.File("kept.bin");
    const Bytes old(300, 'o');
    WriteBytes(path, old);
    const Bytes some(10, 1);
    {
        StdioOutputFile file;
        ASSERT_TRUE(file.Create(path));
        EXPECT_TRUE(file.Write(some.data(), some.size()));
        EXPECT_EQ(ReadBytes(path), old) << "while writing";
        file.Discard();
    }
    {
        StdioOutputFile unclosed;
        ASSERT_TRUE(unclosed.Create(path));
        EXPECT_TRUE(unclosed.Write(some.data(), some.size()));
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    StdioOutputFile file;
    ASSERT_TRUE(file.Create(path));
    EXPECT_TRUE(file.Write(some.data(), some.size()));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), some);
    file.Discard(); // after a successful close: nothing to take back
    EXPECT_EQ(ReadBytes(path), some);
}

TEST(StdioOutputFile, ALinkKeepsPointingWhereItDid) {
    TempFolder dir;
    std::filesystem::create_directory(dir.File("sub"));
    // A chain of links, relative and absolute, the last one dangling.
    std::filesystem::create_symlink("sub/second.lnk", dir.File("first.lnk"));
    std::filesystem::create_symlink(dir.File("target.bin"), dir.File("sub/second.lnk"));
    StdioOutputFile file;
    WriteWithPatch(file, dir.File("first.lnk"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("first.lnk")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("sub/second.lnk")));
    EXPECT_EQ(ReadBytes(dir.File("target.bin")), Patched());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("sub")), {}), 1);
}

TEST(StdioOutputFile, WithoutAFileNothingIsWritten) {
    TempFolder dir;
    StdioOutputFile file;
    EXPECT_FALSE(file.Create(dir.File("no-such-folder/file.bin")));
    EXPECT_EQ(file.Error(), ENOENT);
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
