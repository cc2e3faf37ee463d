#include "tests/win32/support/PluginHost.h"

#include <cstring>

namespace {

int progressCalls = 0;
int forbiddenCalls = 0;

void __cdecl CountProgress(std::int32_t, std::int32_t) {
    ++progressCalls;
}
void __cdecl ForbiddenHostProc(std::int16_t, std::int32_t*) {
    ++forbiddenCalls;
}
std::int16_t __cdecl ForbiddenAllocate(std::int32_t, std::int32_t* id) {
    ++forbiddenCalls;
    *id = 0;
    return 0;
}
void* __cdecl ForbiddenLock(std::int32_t, std::uint8_t) {
    ++forbiddenCalls;
    return nullptr;
}
void __cdecl ForbiddenRelease(std::int32_t) {
    ++forbiddenCalls;
}

} // namespace

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

PluginHost::PluginHost(const std::string& modulePath) {
    module_ = LoadLibraryA(WindowsPath(modulePath).c_str());
    if (module_)
        entry_ = reinterpret_cast<ExportEntryProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, "ENTRYPOINT1")));
    window_ = CreateWindowA("STATIC", "test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                            200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    platform_.hwnd = reinterpret_cast<std::intptr_t>(window_);
    bufferProcs_ = {1933, 1, ForbiddenAllocate, ForbiddenLock, ForbiddenRelease, ForbiddenRelease};
    about_.platformData = &platform_;
    SetImage(0, 0, nullptr, 0);
}

PluginHost::~PluginHost() {
    if (window_)
        DestroyWindow(window_);
    if (module_)
        FreeLibrary(module_);
}

void PluginHost::SetImage(std::uint16_t rows, std::uint16_t columns, const std::uint8_t* pixels,
                          std::int32_t rowBytes) {
    std::memset(&record_, 0, sizeof record_);
    record_.progressProc = CountProgress;
    record_.maxData = 65536;
    record_.imageMode = grayScaleMode;
    record_.imageSize = {static_cast<std::int16_t>(rows), static_cast<std::int16_t>(columns)};
    record_.depth = 8;
    record_.planes = 1;
    record_.data = pixels;
    record_.rowBytes = rowBytes;
    record_.hostProc = ForbiddenHostProc;
    record_.platformData = &platform_;
    record_.bufferProcs = &bufferProcs_;
}

std::int16_t PluginHost::Call(std::int32_t selector) {
    const bool about = SelectorFromSlot(selector) == exportSelectorAbout;
    return CallWith(selector, about ? static_cast<void*>(&about_) : &record_);
}

std::int16_t PluginHost::CallWith(std::int32_t selector, void* record) {
    result_ = 0x5A5A; // the plug-in must write it on every path
    entry_(selector, record, &data_, &result_);
    return result_;
}

std::int16_t PluginHost::RunExport() {
    for (std::int16_t step : {exportSelectorPrepare, exportSelectorStart, exportSelectorContinue})
        if (const std::int16_t result = Call(step); result != noErr)
            return result;
    Call(exportSelectorFinish);
    return noErr;
}

int PluginHost::ProgressCalls() {
    return progressCalls;
}

int PluginHost::ForbiddenCalls() {
    return forbiddenCalls;
}
