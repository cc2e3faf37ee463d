#include "plugin/export/ExportMesh.h"

#include "plugin/export/CobWriter.h"
#include "plugin/export/DxfWriter.h"
#include "plugin/export/LwoWriter.h"
#include "plugin/export/TdsWriter.h"

namespace {

ExportOutcome ExportTds(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services) {
    const auto header = services.resources.Find("TdsHdr");
    const auto footer = services.resources.Find("TdsFtr");
    // A module without its templates cannot make a 3DS file at all.
    if (header.size() != kTdsHeaderSize || footer.size() != kTdsFooterSize) {
        services.messages.Show(kCannotCreateText, kExportErrorCaption, MessageIcon::Error);
        return ExportOutcome::CannotCreate;
    }
    return TdsWriter(settings, buffers, services, header, footer).Export();
}

} // namespace

ExportOutcome ExportMesh(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services) {
    switch (settings.DiskFormat) {
    case kTds:
        return ExportTds(settings, buffers, services);
    case kCob:
        return CobWriter(settings, buffers, services).Export();
    case kLwo:
        return LwoWriter(settings, buffers, services).Export();
    default:
        return DxfWriter(settings, buffers, services).Export();
    }
}
