// The program icon: the committed file is its generator's output and holds one 32 x 32
// picture at 4 bits per pixel with its mask.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/FileBytes.h"
#include "tests/support/ReaderTestSupport.h"
#include "tests/support/TempFolder.h"

using namespace readertest;

namespace {

const std::string kIconPath = std::string(QM_SOURCE_DIR) + "/host/resources/APICON.ico";

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

TEST(ShellIcon, HoldsOne32By32SixteenColourPictureWithItsMask) {
    const std::vector<std::uint8_t> icon = ReadBytes(kIconPath);
    ASSERT_EQ(icon.size(), 6u + 16u + 40u + 64u + 512u + 128u);
    EXPECT_EQ(U16(icon, 0), 0u);
    EXPECT_EQ(U16(icon, 2), 1u); // an icon, not a cursor
    EXPECT_EQ(U16(icon, 4), 1u);
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[7], 32);
    EXPECT_EQ(icon[8], 16);
    EXPECT_EQ(U16(icon, 12), 4u);
    EXPECT_EQ(U32(icon, 14), icon.size() - 22);
    EXPECT_EQ(U32(icon, 18), 22u);
    // The picture's header: twice the height for the picture and its AND mask.
    EXPECT_EQ(U32(icon, 22), 40u);
    EXPECT_EQ(U32(icon, 26), 32u);
    EXPECT_EQ(U32(icon, 30), 64u);
    EXPECT_EQ(U16(icon, 36), 4u);
}

TEST(ShellIcon, CommittedFileIsTheGeneratorsOutput) {
    if (!ToolExists("/usr/bin/python3"))
        GTEST_SKIP() << "python3 missing";
    TempFolder dir;
    ASSERT_EQ(RunCommand("/usr/bin/python3 " + std::string(QM_SOURCE_DIR) +
                         "/host/resources/make_icon.py '" + dir.File("APICON.ico") + "'"),
              0);
    EXPECT_EQ(ReadBytes(dir.File("APICON.ico")), ReadBytes(kIconPath));
}

} // namespace
