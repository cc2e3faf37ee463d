#include "host/app/win32/PluginBridge.h"

#include <utility>

#include "common/ExportCodes.h"
#include "host/app/PluginModules.h"
#include "host/app/win32/LentProcedures.h"
#include "host/app/win32/ProgressDisplay.h"

namespace {

// The record in zero-filled global memory, locked while the run lasts.
class RecordBlock {
  public:
    RecordBlock() : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ExportRecord))) {
        if (block_)
            record_ = static_cast<ExportRecord*>(GlobalLock(block_));
    }
    ~RecordBlock() {
        if (record_)
            GlobalUnlock(block_);
        if (block_)
            GlobalFree(block_);
    }
    RecordBlock(const RecordBlock&) = delete;
    RecordBlock& operator=(const RecordBlock&) = delete;

    ExportRecord* Record() const { return record_; }

  private:
    HGLOBAL block_;
    ExportRecord* record_ = nullptr;
};

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

PluginBridge::PluginBridge(std::string programPath)
    : programPath_(std::move(programPath)), bufferProcs_(HostBufferProcs()) {
    about_.platformData = &platform_;
}

bool PluginBridge::Load() {
    if (module_)
        return true;
    for (const std::string& path : ModuleCandidates(programPath_)) {
        if (!FileExists(path))
            continue;
        module_ = LoadLibraryA(path.c_str());
        break;
    }
    if (module_)
        entry_ = reinterpret_cast<ExportEntryProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, kEntryPointName)));
    if (!entry_)
        Unload();
    return entry_ != nullptr;
}

void PluginBridge::Unload() {
    if (module_)
        FreeLibrary(module_);
    module_ = nullptr;
    entry_ = nullptr;
}

std::int16_t PluginBridge::Call(std::int16_t selector, void* record) {
    entry_(selector, record, &data_, &result_);
    return result_;
}

bool PluginBridge::ShowAbout(HWND window) {
    platform_.hwnd = reinterpret_cast<std::intptr_t>(window);
    if (!Load())
        return false;
    Call(exportSelectorAbout, &about_);
    return true;
}

ExportOutcome PluginBridge::RunExport(const ExportImage& image, HWND window) {
    platform_.hwnd = reinterpret_cast<std::intptr_t>(window);
    if (!IsExportable(image) || !Load()) {
        Unload();
        return ExportOutcome::kFailed;
    }
    ExportOutcome outcome = ExportOutcome::kFailed;
    {
        RecordBlock block;
        if (block.Record()) {
            FillExportRecord(*block.Record(), image,
                             {ShowProgress, AnswerHostProc, &platform_, &bufferProcs_});
            ProgressDisplay progress(window);
            ProgressTarget target(progress);
            outcome = RunExportSelectors(
                [&](std::int16_t selector) { return Call(selector, block.Record()); });
            // Ends the bar if the plug-in left one showing.
            ShowProgress(100, 100);
        }
    }
    Unload();
    return outcome;
}
