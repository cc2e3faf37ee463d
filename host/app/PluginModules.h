#pragma once
// Where the host looks for the plug-in module: only in the program's own folder, by full
// path. The open and save dialogs change the current folder, so a module beside a picture
// the user opened must never be the one that runs.

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kPluginModuleName = "quorms32.8be";
inline constexpr std::string_view kOtherPluginModuleName = "quordm32.8be";
inline constexpr const char* kEntryPointName = "ENTRYPOINT1";

// The full paths to try, in order, for a program at programPath (either separator).
// Empty when programPath names no folder.
std::vector<std::string> ModuleCandidates(std::string_view programPath);
