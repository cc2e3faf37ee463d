#pragma once
// A folder of the test's own holding a copy of QuorvShell.exe and, when asked, a module
// beside it under a given name.

#include <string>
#include <vector>

class ShellFolder {
  public:
    // name: a subfolder of the test's temporary folder, emptied first.
    ShellFolder(const std::string& name, const std::string& program);
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    bool Add(const std::string& source, const std::string& name) const;
    // The lines the fake plug-in logged into this folder's log file.
    std::string Log() const;
    std::string LogPath() const { return File("fake.log"); }
    // The environment that makes the fake plug-in log into this folder in mode.
    std::vector<std::string> FakeEnvironment(const char* mode) const {
        return {"QM_FAKE_LOG=" + LogPath(), std::string("QM_FAKE_MODE=") + mode};
    }
    // The fake plug-in's last "menu" line: the host menu's items 40001 to 40008, 1 for
    // enabled. Asks for it with About QuorvMesh Plugin.
    std::string MenuOf(class ShellSession& shell) const;

  private:
    std::string path_;
};

// Waits for the named event that the fake plug-in sets; false after timeoutMs.
bool WaitForEvent(const std::string& name, unsigned timeoutMs = 15000);
void SignalEvent(const std::string& name);
