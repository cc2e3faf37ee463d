#pragma once
// What a test script does to the filter dialog from the driver's thread, as a user would:
// type into an edit box and leave it, click, choose list entries, answer the file dialogs
// and boxes that open over it. Calls are sent, so each returns when the dialog has handled
// it; a press that opens a modal window is posted instead.

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/win32/support/PluginHost.h"

// Types text into edit id (the user's edit: the dialog hears EN_CHANGE) and moves the
// focus to next, which commits it.
void TypeAndLeave(HWND dialog, int id, const char* text, int next);
void Focus(HWND dialog, int id);
// A mouse click on a button (it takes the focus first).
void Click(HWND dialog, int id);
// Selects entry index of a drop-down list as the user does (CBN_SELCHANGE follows).
void Choose(HWND dialog, int id, int index);
int Selection(HWND dialog, int id);
std::string Text(HWND dialog, int id);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);

// Waits for the next common open or save dialog and chooses path, or cancels it.
bool AnswerFileDialog(const std::optional<std::string>& path);
struct Box {
    std::string caption, text;
};
// Waits for the next message box, presses Yes or OK, and says what it showed.
std::optional<Box> AnswerBox();

// The INI file's keys after a run.
std::map<std::string, long> IniValues();

// A gray picture (rows x cols, a diagonal ramp) and one export run of it through the host:
// prepare, start, continue (where the dialog runs), finish.
std::vector<std::uint8_t> RampPicture(std::uint16_t rows, std::uint16_t cols);
std::int16_t RunWithPicture(PluginHost& host, std::uint16_t rows, std::uint16_t cols);

// The module path from the command line, and a temporary folder of the test's own.
const std::string& ModulePath();
std::string TestFolder();
