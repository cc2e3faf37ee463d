#pragma once
// The plug-in's INI file in the Wine prefix's Windows directory (C:\windows\qmesh.ini),
// which tests set up before a run and remove afterwards.

#include <optional>
#include <string>

std::string WindowsIniPath();
// Replaces the file with text (flushing the profile cache first).
bool WriteWindowsIni(const std::string& text);
void RemoveWindowsIni();
// The file as the plug-in left it, after flushing the profile cache.
std::optional<std::string> ReadWindowsIni();
