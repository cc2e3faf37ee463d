#include "host/app/ExportRun.h"

#include "common/ExportCodes.h"

namespace {

constexpr std::uint32_t kMaxRowBytes = 65535;
constexpr std::int32_t kMaxData = 65536;
constexpr std::int16_t kDepth = 8;
constexpr std::int16_t kPlanes = 1;

} // namespace

bool IsExportable(const ExportImage& image) {
    return image.bits != nullptr && image.bitsPerPixel == 8 && image.width <= image.stride &&
           image.stride <= kMaxRowBytes;
}

void FillExportRecord(ExportRecord& record, const ExportImage& image, const LentToPlugin& lent) {
    record.serialNumber = 0;
    record.abortProc = nullptr;
    record.maxData = kMaxData;
    record.imageMode = grayScaleMode;
    record.depth = kDepth;
    record.planes = kPlanes;
    record.hostProc = lent.hostProc;
    record.platformData = lent.platformData;
    record.progressProc = lent.progressProc;
    record.bufferProcs = lent.bufferProcs;
    record.data = image.bits;
    record.imageSize.h = static_cast<std::int16_t>(image.width);
    record.imageSize.v = static_cast<std::int16_t>(image.height);
    record.rowBytes = static_cast<std::int32_t>(image.stride);
}

ExportOutcome RunExportSelectors(const std::function<std::int16_t(std::int16_t)>& call) {
    for (const std::int16_t selector :
         {exportSelectorPrepare, exportSelectorStart, exportSelectorContinue}) {
        const std::int16_t result = call(selector);
        if (result > 0)
            return ExportOutcome::kDeclined;
        if (result < 0)
            return ExportOutcome::kFailed;
    }
    call(exportSelectorFinish);
    return ExportOutcome::kDone;
}
