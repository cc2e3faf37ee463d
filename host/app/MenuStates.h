#pragma once
// The three states of the main window, which only its menu shows, and the enable rule of
// each item that ever changes.

#include <array>
#include <cstdint>

enum class ShellState { kStartUpPicture, kGrayImage, kNonGrayImage };

// What entering a state does to one menu item. kLeave: the item keeps whatever it had.
enum class MenuAction { kGray, kEnable, kLeave };

struct MenuItemRule {
    std::uint16_t command;
    MenuAction action;
};

// Convert to Gray, Inverse Grays and Call QuorvMesh, in that order.
std::array<MenuItemRule, 3> MenuRulesFor(ShellState state);

// The state an image puts the window in once it is shown.
constexpr ShellState StateForImage(bool isGray) {
    return isGray ? ShellState::kGrayImage : ShellState::kNonGrayImage;
}
