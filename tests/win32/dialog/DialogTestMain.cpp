// The filter dialog under Wine, driven through ENTRYPOINT1 from a test host.
// Usage: win32_dialog_test <path of quorms32.8be>

#include <cstdio>
#include <string>

#include "tests/win32/dialog/DialogTests.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowsIni.h"

namespace {
std::string modulePath;
}

const std::string& ModulePath() {
    return modulePath;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: win32_dialog_test <module>\n");
        return 2;
    }
    modulePath = argv[1];
    FilterDialogDriver driver;
    RunFilterDialogTests(driver);
    RunSettingsFilesTests(driver);
    RemoveWindowsIni();
    return Tally().Finish();
}
