#include "plugin/export/MeshWriter.h"

#include <algorithm>

MeshWriter::MeshWriter(const char* filterList, const MeshSettings& settings, MeshSource& source,
                       ExportServices& services, const SinkSetup& sinkSetup)
    : filterList_(filterList), settings_(settings), source_(source), services_(services),
      sink_(sinkSetup.buffer.data(), sinkSetup.buffer.size(), services.file),
      textThreads_(sinkSetup.textThreads), rows_(settings.meshRows),
      pointsPerRow_(::PointsPerRow(settings)) {}

MeshWriter::~MeshWriter() {
    if (fileOpen_)
        services_.file.Close();
}

ExportOutcome MeshWriter::Export() {
    if (!Accepts()) {
        services_.messages.Show(kTooManyVerticesText, kTooManyVerticesCaption,
                                MessageIcon::Exclamation);
        return ExportOutcome::RefusedByLimit;
    }
    const auto path = services_.chooser.ChooseSavePath(filterList_);
    if (!path)
        return ExportOutcome::Cancelled;
    if (!services_.file.Create(*path)) {
        services_.messages.Show(kCannotCreateText, kExportErrorCaption, MessageIcon::Error);
        return ExportOutcome::CannotCreate;
    }
    fileOpen_ = true;

    source_.Prepare(services_.progress);
    WriteBody();
    sink_.Flush();
    // A file that failed is not touched again: it is about to be removed.
    if (!sink_.Failed())
        PatchLengths();
    fileOpen_ = false;
    const bool closed = services_.file.Close();
    if (sink_.Failed() || !closed) {
        services_.file.Discard();
        services_.messages.Show(kWriteFailedText, kExportErrorCaption, MessageIcon::Error);
        return ExportOutcome::WriteFailed;
    }
    return ExportOutcome::Written;
}

void MeshWriter::ForEachCellRow(const std::function<void(const CellRow&)>& visit) {
    const std::int64_t total = 2 * std::int64_t{rows_} - 2;
    source_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        ReportRow(rows_ - 1 + std::int64_t{row}, total);
        visit(cells);
    });
}

void MeshWriter::ReportRow(std::int64_t done, std::int64_t total) {
    if (total > 0)
        services_.progress.Report(static_cast<std::int32_t>(std::min(done, total)),
                                  static_cast<std::int32_t>(total));
}
