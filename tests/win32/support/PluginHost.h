#pragma once
// A minimal export host for tests: loads the plug-in module, keeps the data word and the
// result word for its whole life, and fills an ExportRecord for an 8-bit gray image the
// way a host does before prepare.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/ExportCodes.h"
#include "common/ExportRecord.h"

class PluginHost {
  public:
    // modulePath may be a Unix path (as CTest passes it); it is mapped to drive Z:.
    explicit PluginHost(const std::string& modulePath);
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    bool Loaded() const { return entry_ != nullptr; }

    // A fresh zero-filled record for a rows x columns gray image of the given pixels
    // (rowBytes apart); the pixels must outlive the run.
    void SetImage(std::uint16_t rows, std::uint16_t columns, const std::uint8_t* pixels,
                  std::int32_t rowBytes);
    ExportRecord& Record() { return record_; }

    // One call with the export record (or, for about, the about record); returns the
    // result word.
    std::int16_t Call(std::int32_t selector);
    // The same with any record pointer (null included).
    std::int16_t CallWith(std::int32_t selector, void* record);
    // prepare, start, continue and finish as a host runs them: stops at the first non-zero
    // result of the first three and returns it; after finish (whose result hosts ignore)
    // returns 0.
    std::int16_t RunExport();

    std::intptr_t DataWord() const { return data_; }
    HWND Window() const { return window_; }
    // Calls the plug-in made to the progress procedure since the host was created.
    static int ProgressCalls();
    // Calls to the buffer or host procedures, which the plug-in must never make.
    static int ForbiddenCalls();

  private:
    HMODULE module_ = nullptr;
    ExportEntryProc entry_ = nullptr;
    HWND window_ = nullptr;
    PlatformData platform_{};
    BufferProcs bufferProcs_{};
    ExportRecord record_{};
    AboutRecord about_{};
    std::intptr_t data_ = 0;
    std::int16_t result_ = 0x5A5A;
};

// A Unix path mapped to Wine's drive Z:, other paths unchanged.
std::string WindowsPath(const std::string& path);
