#include "cli/ExportFile.h"

#include <cstring>
#include <optional>
#include <vector>

#include "cli/BackgroundOutputFile.h"
#include "cli/CliOptions.h"
#include "cli/TerminalProgress.h"
#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"

namespace {

// The box's text, and the operating system's reason when there is one.
std::string WithReason(const std::string& text, int error) {
    return error == 0 ? text : text + " (" + std::strerror(error) + ")";
}

} // namespace

StepResult ExportFile(const std::string& path, const MeshSettings& settings, MeshSource& source,
                      std::ostream& progressStream, bool showProgress, int threads) {
    FixedPathChooser chooser(path);
    StdioOutputFile file;
    std::optional<BackgroundOutputFile> background;
    if (threads > 1)
        background.emplace(file);
    TerminalProgress progress(progressStream, showProgress);
    CliMessages messages;
    EmbeddedResources resources;
    ExportServices services{chooser, background ? static_cast<OutputFile&>(*background) : file,
                            progress, messages, resources};
    std::vector<std::uint8_t> memory((background ? 2 : 1) * kCliOutputBufferSize);
    const SinkBuffers buffers{{memory.data(), kCliOutputBufferSize},
                              background ? memory.data() + kCliOutputBufferSize : nullptr};
    const ExportOutcome outcome = ExportMesh(settings, source, services, buffers);
    progress.Finish();
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
