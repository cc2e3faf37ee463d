#include "host/app/MenuStates.h"

#include "host/app/ShellCommands.h"

std::array<MenuItemRule, 3> MenuRulesFor(ShellState state) {
    switch (state) {
    case ShellState::kStartUpPicture:
        // Every item starts enabled, so Call QuorvMesh is not touched.
        return {{{kConvertToGray, MenuAction::kGray},
                 {kInverseGrays, MenuAction::kEnable},
                 {kCallPlugin, MenuAction::kLeave}}};
    case ShellState::kGrayImage:
        return {{{kConvertToGray, MenuAction::kGray},
                 {kInverseGrays, MenuAction::kEnable},
                 {kCallPlugin, MenuAction::kEnable}}};
    case ShellState::kNonGrayImage:
        break;
    }
    return {{{kConvertToGray, MenuAction::kEnable},
             {kInverseGrays, MenuAction::kGray},
             {kCallPlugin, MenuAction::kGray}}};
}
