#pragma once
// The common open and save dialogs for settings files (*.stg), with no owner window.

#include <windows.h>

#include <optional>
#include <string>

enum class SettingsChoice { Open, Save };

// The chosen path, or nothing when the user cancels. Open accepts only an existing file;
// Save asks before it overwrites one.
std::optional<std::string> ChooseSettingsFile(SettingsChoice choice);
