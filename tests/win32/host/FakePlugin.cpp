// A stand-in for the plug-in module that QuorvShell loads by file name: it logs every call
// and what the host put in the record, and does what QM_FAKE_MODE says, so the tests can
// hold the host inside a run (its menu stays live), decline, fail, or draw progress.
//   QM_FAKE_LOG   file the calls are appended to
// The about call logs the host menu's items 40001 to 40008 (1 enabled, 0 grayed), which
// another process cannot read.
//   QM_FAKE_MODE  "decline": start leaves 1; "fail": continue leaves -108;
//                 "progress": continue reports 0 and 5 of 10, pausing after each
//                 (events QmFakeStep<n> set, QmFakeGo<n> awaited while messages are
//                 dispatched); anything else: every step succeeds at once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/ExportCodes.h"
#include "common/ExportRecord.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void Log(const std::string& line) {
    if (FILE* log = std::fopen(Env("QM_FAKE_LOG").c_str(), "ab")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

// Lets the test look at the host, with the host's window procedure running meanwhile.
void Pause(int step) {
    const std::string n = std::to_string(step);
    HANDLE reached = CreateEventA(nullptr, TRUE, FALSE, ("QmFakeStep" + n).c_str());
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, ("QmFakeGo" + n).c_str());
    SetEvent(reached);
    // Long enough for the slowest test machine (qemu's emulator).
    const DWORD until = GetTickCount() + 300000;
    while (GetTickCount() < until &&
           MsgWaitForMultipleObjects(1, &go, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    CloseHandle(go);
    CloseHandle(reached);
}

void LogRecord(const ExportRecord& r) {
    char line[512];
    std::int32_t hostAnswer = 0;
    if (r.hostProc)
        r.hostProc(0, &hostAnswer);
    const auto* pixels = static_cast<const std::uint8_t*>(r.data);
    std::snprintf(line, sizeof line,
                  "record mode=%d h=%d v=%d depth=%d planes=%d rowBytes=%d maxData=%d "
                  "serial=%d abort=%d progress=%d buffers=%u/%u host=%d hwnd=%d first=%d last=%d",
                  r.imageMode, static_cast<std::uint16_t>(r.imageSize.h),
                  static_cast<std::uint16_t>(r.imageSize.v), r.depth, r.planes, r.rowBytes,
                  r.maxData, r.serialNumber, r.abortProc != nullptr, r.progressProc != nullptr,
                  r.bufferProcs ? r.bufferProcs->version : 0u,
                  r.bufferProcs ? r.bufferProcs->count : 0u, hostAnswer,
                  r.platformData && IsWindow(reinterpret_cast<HWND>(r.platformData->hwnd)),
                  pixels ? pixels[0] : -1,
                  pixels ? pixels[(static_cast<std::uint16_t>(r.imageSize.v) - 1) * r.rowBytes +
                                  static_cast<std::uint16_t>(r.imageSize.h) - 1]
                         : -1);
    Log(line);
}

void LogMenu(const AboutRecord& about) {
    HMENU menu = GetMenu(reinterpret_cast<HWND>(about.platformData->hwnd));
    std::string line = "menu ";
    for (UINT id = 40001; id <= 40008; ++id) {
        const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        line += state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED)) ? '1' : '0';
    }
    Log(line);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        Log("load");
    if (reason == DLL_PROCESS_DETACH)
        Log("unload");
    return TRUE;
}

extern "C" __declspec(dllexport) void __cdecl ENTRYPOINT1(std::int32_t selector, void* record,
                                                          std::intptr_t* data,
                                                          std::int16_t* result) {
    const std::string mode = Env("QM_FAKE_MODE");
    const std::int16_t step = SelectorFromSlot(selector);
    Log("selector " + std::to_string(step));
    *result = noErr;
    auto* exportRecord = static_cast<ExportRecord*>(record);
    if (step == exportSelectorAbout)
        LogMenu(*static_cast<AboutRecord*>(record));
    if (step == exportSelectorStart) {
        LogRecord(*exportRecord);
        if (mode == "decline")
            *result = userDeclined;
    }
    if (step == exportSelectorContinue) {
        if (mode == "fail")
            *result = memFullErr;
        if (mode == "progress") {
            exportRecord->progressProc(0, 10);
            Pause(1);
            exportRecord->progressProc(5, 10);
            Pause(2);
        }
    }
    if (step == exportSelectorFinish)
        *result = userDeclined;
    *data = 0;
}
