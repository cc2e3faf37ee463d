#include "plugin/export/MeshWriter.h"

#include <algorithm>

#include "plugin/mesh/BuildPolygonList.h"

MeshWriter::MeshWriter(const char* filterList, MeshSettings& settings, MeshBuffers& buffers,
                       ExportServices& services)
    : rows_(settings.meshRows), pointsPerRow_(PointsPerRow(settings)), filterList_(filterList),
      settings_(settings), buffers_(buffers), services_(services) {}

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

    faceCount_ = BuildPolygonList(settings_, buffers_, services_.progress);
    WriteBody();
    FlushOutput();
    // A file that failed is not touched again: it is about to be removed.
    if (!failed_)
        PatchLengths();
    fileOpen_ = false;
    if (!services_.file.Close())
        failed_ = true;
    if (failed_) {
        services_.file.Discard();
        services_.messages.Show(kWriteFailedText, kExportErrorCaption, MessageIcon::Error);
        return ExportOutcome::WriteFailed;
    }
    return ExportOutcome::Written;
}

void MeshWriter::WriteBytesSlow(const std::uint8_t* data, std::size_t size) {
    while (size > 0 && !failed_) {
        const std::size_t take = std::min(size, kOutputBufferSize - fill_);
        std::memcpy(buffers_.outputBuffer + fill_, data, take);
        fill_ += take;
        data += take;
        size -= take;
        if (fill_ == kOutputBufferSize)
            FlushOutput();
    }
}

void MeshWriter::FlushOutput() {
    if (!failed_ && fill_ > 0 && !services_.file.Write(buffers_.outputBuffer, fill_))
        failed_ = true;
    flushed_ += fill_;
    fill_ = 0;
}

void MeshWriter::PatchBytes(std::uint32_t offset, const std::uint8_t (&bytes)[4]) {
    if (!failed_ && !services_.file.WriteAt(offset, bytes, sizeof bytes))
        failed_ = true;
}

void MeshWriter::ReportRow(std::int64_t done, std::int64_t total) {
    if (total > 0)
        services_.progress.Report(static_cast<std::int32_t>(std::min(done, total)),
                                  static_cast<std::int32_t>(total));
}
