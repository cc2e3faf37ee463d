// The menu of each state and what the menu commands do while the plug-in runs.
#include <gtest/gtest.h>

#include "host/app/MenuStates.h"
#include "host/app/ShellCommands.h"

namespace {

MenuAction ActionFor(ShellState state, std::uint16_t command) {
    for (const MenuItemRule& rule : MenuRulesFor(state))
        if (rule.command == command)
            return rule.action;
    ADD_FAILURE() << "no rule for " << command;
    return MenuAction::kLeave;
}

TEST(MenuStates, StartUpPictureCanBeInvertedAndExportedButNotConverted) {
    EXPECT_EQ(ActionFor(ShellState::kStartUpPicture, kConvertToGray), MenuAction::kGray);
    EXPECT_EQ(ActionFor(ShellState::kStartUpPicture, kInverseGrays), MenuAction::kEnable);
    // Every item starts enabled; start-up never touches Call QuorvMesh.
    EXPECT_EQ(ActionFor(ShellState::kStartUpPicture, kCallPlugin), MenuAction::kLeave);
}

TEST(MenuStates, GrayAndNonGrayImagesSwapTheThreeItems) {
    EXPECT_EQ(ActionFor(ShellState::kGrayImage, kConvertToGray), MenuAction::kGray);
    EXPECT_EQ(ActionFor(ShellState::kGrayImage, kInverseGrays), MenuAction::kEnable);
    EXPECT_EQ(ActionFor(ShellState::kGrayImage, kCallPlugin), MenuAction::kEnable);
    EXPECT_EQ(ActionFor(ShellState::kNonGrayImage, kConvertToGray), MenuAction::kEnable);
    EXPECT_EQ(ActionFor(ShellState::kNonGrayImage, kInverseGrays), MenuAction::kGray);
    EXPECT_EQ(ActionFor(ShellState::kNonGrayImage, kCallPlugin), MenuAction::kGray);
    EXPECT_EQ(StateForImage(true), ShellState::kGrayImage);
    EXPECT_EQ(StateForImage(false), ShellState::kNonGrayImage);
}

TEST(ShellCommands, OnlyTheWholeFirstParameterCounts) {
    EXPECT_FALSE(IsShellCommand(40000));
    EXPECT_TRUE(IsShellCommand(40001));
    EXPECT_TRUE(IsShellCommand(40008));
    EXPECT_FALSE(IsShellCommand(40009));
    // A control notification or accelerator in the high word is not a menu command.
    EXPECT_FALSE(IsShellCommand((1u << 16) | 40007));
    EXPECT_FALSE(IsShellCommand((std::uint64_t{1} << 32) | 40007));
}

TEST(ShellCommands, WhileThePluginRunsOnlyHelpRunsAndExitWaits) {
    for (std::uint16_t command :
         {kConvertToGray, kInverseGrays, kAboutPlugin, kAboutShell, kOpenImageFile, kCallPlugin})
        EXPECT_EQ(HandlingWhileBusy(command), BusyHandling::kIgnore) << command;
    EXPECT_EQ(HandlingWhileBusy(kExit), BusyHandling::kPostpone);
    EXPECT_EQ(HandlingWhileBusy(kHelp), BusyHandling::kRun);
}

} // namespace
