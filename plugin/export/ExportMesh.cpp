#include "plugin/export/ExportMesh.h"

#include "plugin/export/BufferMeshSource.h"
#include "plugin/export/CobWriter.h"
#include "plugin/export/DxfWriter.h"
#include "plugin/export/LwoWriter.h"
#include "plugin/export/TdsWriter.h"

namespace {

ExportOutcome ExportTds(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                        const SinkSetup& sinkSetup) {
    const auto header = services.resources.Find("TdsHdr");
    const auto footer = services.resources.Find("TdsFtr");
    // A module without its templates cannot make a 3DS file at all.
    if (header.size() != kTdsHeaderSize || footer.size() != kTdsFooterSize) {
        services.messages.Show(kCannotCreateText, kExportErrorCaption, MessageIcon::Error);
        return ExportOutcome::CannotCreate;
    }
    return TdsWriter(settings, source, services, sinkSetup, header, footer).Export();
}

} // namespace

ExportOutcome ExportMesh(const MeshSettings& settings, MeshSource& source, ExportServices& services,
                         const SinkSetup& sinkSetup) {
    switch (settings.DiskFormat) {
    case kTds:
        return ExportTds(settings, source, services, sinkSetup);
    case kCob:
        return CobWriter(settings, source, services, sinkSetup).Export();
    case kLwo:
        return LwoWriter(settings, source, services, sinkSetup).Export();
    default:
        return DxfWriter(settings, source, services, sinkSetup).Export();
    }
}

ExportOutcome ExportMesh(MeshSettings& settings, MeshBuffers& buffers, ExportServices& services) {
    BufferMeshSource source(settings, buffers);
    return ExportMesh(settings, source, services, {{buffers.outputBuffer, kOutputBufferSize}});
}

std::uint64_t MeshFileSizeBound(const MeshSettings& settings) {
    switch (settings.DiskFormat) {
    case kTds:
        return TdsWriter::SizeBound(settings);
    case kCob:
        return CobWriter::SizeBound(settings);
    case kLwo:
        return LwoWriter::SizeBound(settings);
    default:
        return DxfWriter::SizeBound(settings);
    }
}
