#include "tests/win32/host/ShellFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "tests/win32/support/TestTime.h"

#include "host/app/ShellCommands.h"
#include "tests/win32/host/ShellSession.h"
#include "tests/win32/support/PluginHost.h"

ShellFolder::ShellFolder(const std::string& name, const std::string& program) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "qm-shell-test";
    CreateDirectoryA(root.c_str(), nullptr);
    path_ = root + "\\" + name;
    CreateDirectoryA(path_.c_str(), nullptr);
    for (const char* file : {"QuorvShell.exe", "quorms32.8be", "quordm32.8be", "fake.log"})
        DeleteFileA(File(file).c_str());
    Add(program, "QuorvShell.exe");
}

bool ShellFolder::Add(const std::string& source, const std::string& name) const {
    return CopyFileA(WindowsPath(source).c_str(), File(name).c_str(), FALSE) != 0;
}

std::string ShellFolder::Log() const {
    std::ifstream in(LogPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ShellFolder::MenuOf(ShellSession& shell) const {
    shell.Command(kAboutPlugin);
    shell.Sync();
    const std::string log = Log();
    const std::size_t at = log.rfind("menu ");
    return at == std::string::npos ? std::string() : log.substr(at + 5, 8);
}

bool WaitForEvent(const std::string& name, unsigned timeoutMs) {
    const DWORD until = GetTickCount() + ScaledTimeout(timeoutMs);
    while (GetTickCount() < until) {
        if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.c_str())) {
            const bool set = WaitForSingleObject(event, 100) == WAIT_OBJECT_0;
            CloseHandle(event);
            if (set)
                return true;
        } else {
            Sleep(50);
        }
    }
    return false;
}

void SignalEvent(const std::string& name) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    SetEvent(event);
    Sleep(100);
    CloseHandle(event);
}
