#include "tests/win32/support/WindowsIni.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {
// Writes out whatever the profile functions still hold in memory.
void FlushProfileCache() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "qmesh.ini");
}
} // namespace

std::string WindowsIniPath() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\qmesh.ini";
}

bool WriteWindowsIni(const std::string& text) {
    FlushProfileCache();
    std::ofstream out(WindowsIniPath(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

void RemoveWindowsIni() {
    FlushProfileCache();
    DeleteFileA(WindowsIniPath().c_str());
}

std::optional<std::string> ReadWindowsIni() {
    FlushProfileCache();
    std::ifstream in(WindowsIniPath(), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
