#pragma once
// The host's side of the export-module interface: finds and loads the plug-in module,
// lends it the record and procedures, and calls its entry point in the fixed order.

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/ExportRecord.h"
#include "host/app/ExportRun.h"

class PluginBridge {
  public:
    // programPath: the full path of the running program; the module is looked for only
    // beside it.
    explicit PluginBridge(std::string programPath);
    ~PluginBridge() { Unload(); }
    PluginBridge(const PluginBridge&) = delete;
    PluginBridge& operator=(const PluginBridge&) = delete;

    // Shows the plug-in's About box with window as owner. The module stays loaded for the
    // next call. false when no module could be loaded.
    bool ShowAbout(HWND window);
    // Runs an export of image, drawing progress into window. kFailed when the module cannot
    // be loaded, the image cannot be exported or the record cannot be had. The module is
    // unloaded afterwards on every path.
    ExportOutcome RunExport(const ExportImage& image, HWND window);

  private:
    bool Load();
    void Unload();
    std::int16_t Call(std::int16_t selector, void* record);

    std::string programPath_;
    HMODULE module_ = nullptr;
    ExportEntryProc entry_ = nullptr;
    PlatformData platform_{};
    AboutRecord about_{};
    BufferProcs bufferProcs_{};
    std::intptr_t data_ = 0; // the plug-in's per-run word, never touched here
    std::int16_t result_ = 0;
};
