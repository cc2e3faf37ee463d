#include "tool/ExportFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/EmbeddedResources.h"
#include "common/LibraryGaps.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"
#include "tool/CliOptions.h"
#include "tool/TerminalProgress.h"
#include "toolbase/OutputBuffer.h"

namespace {

// The box's text, and the operating system's reason when there is one.
std::string WithReason(const std::string& text, int error) {
    return error == 0 ? text : text + " (" + std::strerror(error) + ")";
}

// The writers report the second half of an export, after the plug-in's polygon list: the
// streamed export has no such list, so that half fills the whole bar. Some writers stop short
// of their total; a file written whole is reported as done.
class WritingProgress final : public ProgressSink {
  public:
    explicit WritingProgress(ProgressSink& bar) : bar_(bar) {}
    void Report(std::int32_t done, std::int32_t total) override {
        total_ = total;
        bar_.Report(std::max(0, 2 * done - total), total);
    }
    void Written() {
        if (total_ > 0)
            bar_.Report(total_, total_);
    }

  private:
    ProgressSink& bar_;
    std::int32_t total_ = 0;
};

} // namespace

StepResult ExportFile(const std::string& path, const MeshSettings& settings, MeshSource& source,
                      std::ostream& progressStream, bool showProgress, ProgressSink* progress,
                      int threads, const FreeSpaceQuery& freeSpace) {
    if (auto refusal = CheckFreeSpace(path, MeshFileSizeBound(settings), freeSpace))
        return refusal;
    FixedPathChooser chooser(path);
    StdioOutputFile file;
    TerminalProgress bar(progressStream, showProgress && progress == nullptr);
    WritingProgress writing(progress ? *progress : bar);
    CliMessages messages;
    EmbeddedResources resources;
    ExportServices services{chooser, file, writing, messages, resources};
    // Not cleared: a small file touches only the pages it fills.
    const auto buffer = UninitializedArray<std::uint8_t>(kCliOutputBufferSize);
    const SinkSetup setup{{buffer.get(), kCliOutputBufferSize}, std::min(threads, 2)};
    const ExportOutcome outcome = ExportMesh(settings, source, services, setup);
    if (outcome == ExportOutcome::Written)
        writing.Written();
    bar.Finish();
    switch (outcome) {
    case ExportOutcome::Written:
        return std::nullopt;
    case ExportOutcome::RefusedByLimit:
        return Fail(kExitFormat, path, messages.LastOr(kTooManyVerticesText));
    case ExportOutcome::Cancelled:
    case ExportOutcome::CannotCreate:
        return Fail(kExitOutput, path,
                    WithReason(messages.LastOr(kCannotCreateText), file.Error()));
    case ExportOutcome::WriteFailed:
        break;
    }
    return Fail(kExitOutput, path, WithReason(messages.LastOr(kWriteFailedText), file.Error()));
}
