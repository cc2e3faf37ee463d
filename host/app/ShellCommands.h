#pragma once
// The main window's menu commands and what each does while the plug-in is running.

#include <cstdint>

enum ShellCommand : std::uint16_t {
    kConvertToGray = 40001,
    kInverseGrays = 40002,
    kHelp = 40003,
    kAboutPlugin = 40004,
    kAboutShell = 40005,
    kOpenImageFile = 40006,
    kCallPlugin = 40007,
    kExit = 40008,
};

// The whole first parameter of WM_COMMAND must be a command id: a notification code in
// the high word (an accelerator, a control) is not a menu command.
constexpr bool IsShellCommand(std::uint64_t wParam) {
    return wParam >= kConvertToGray && wParam <= kExit;
}

// While the plug-in runs, its boxes and choosers have no owner, so the menu stays live.
// Commands that would replace or free what the running plug-in reads are ignored; Exit
// (and closing the window) waits until the plug-in has returned.
enum class BusyHandling { kRun, kIgnore, kPostpone };

BusyHandling HandlingWhileBusy(std::uint16_t command);
