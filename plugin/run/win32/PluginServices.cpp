#include "plugin/run/win32/PluginServices.h"

#include "common/win32/Win32MessageReporter.h"
#include "plugin/resources/ResourceIds.h"

namespace {
HINSTANCE instance;
}

HINSTANCE PluginInstance() {
    return instance;
}

void SetPluginInstance(HINSTANCE module) {
    instance = module;
}

HWND HostWindow(const PlatformData* platformData) {
    return platformData ? reinterpret_cast<HWND>(platformData->hwnd) : nullptr;
}

void ShowError(int stringId, FilterGlobals& globals) {
    char text[256] = "";
    char caption[128] = "";
    LoadStringA(PluginInstance(), stringId, text, sizeof text);
    LoadStringA(PluginInstance(), IDS_PLUGIN_NAME, caption, sizeof caption);
    Win32MessageReporter(HostWindow(ExportRecordOf(globals).platformData))
        .Show(text, caption, MessageIcon::Error);
}
