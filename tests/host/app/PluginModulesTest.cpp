// Where the plug-in module is looked for.
#include <gtest/gtest.h>

#include "host/app/PluginModules.h"

namespace {

TEST(PluginModules, BothNamesAreTriedInTheProgramsOwnFolderOnly) {
    const auto candidates = ModuleCandidates("C:\\Tools\\Quorv\\QuorvShell.exe");
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], "C:\\Tools\\Quorv\\quorms32.8be");
    EXPECT_EQ(candidates[1], "C:\\Tools\\Quorv\\quordm32.8be");
}

TEST(PluginModules, EitherSeparatorAndTheRootFolderWork) {
    EXPECT_EQ(ModuleCandidates("Z:/build/host/QuorvShell.exe")[0], "Z:/build/host/quorms32.8be");
    EXPECT_EQ(ModuleCandidates("C:\\QuorvShell.exe")[1], "C:\\quordm32.8be");
}

TEST(PluginModules, AProgramPathWithoutAFolderGivesNoCandidate) {
    // A bare name would be found through the current folder, which the dialogs change.
    EXPECT_TRUE(ModuleCandidates("QuorvShell.exe").empty());
    EXPECT_TRUE(ModuleCandidates("").empty());
}

} // namespace
