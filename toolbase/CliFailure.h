#pragma once
// How a step of the tool fails: an exit code and one line that names the file and the
// reason. The core's message boxes become such lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/MessageReporter.h"

// Exit codes of the tool.
enum CliExit : int {
    kExitOk = 0,
    kExitUsage = 1,
    kExitInput = 2,  // the input (picture, settings or INI file) cannot be read or is refused
    kExitFormat = 3, // the mesh does not fit the format
    kExitOutput = 4, // an output cannot be written
    kExitSolid = 5,  // the solid cannot be closed with these sizes (its wall, its opening)
};

struct CliFailure {
    int exitCode;
    std::string message;
};

// Nothing when the step went well.
using StepResult = std::optional<CliFailure>;

// "quorvmesh: <file>: <reason>", the reason's line breaks (and the blanks after them)
// turned into single spaces.
CliFailure Fail(int exitCode, std::string_view file, std::string_view reason);

// Keeps what the core would have shown in message boxes, for the step to report.
class CliMessages final : public MessageReporter {
  public:
    void Show(std::string_view text, std::string_view, MessageIcon) override;
    // The tool asks nothing: every question is answered Yes, as a user running it means.
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return true; }
    // The last text shown, or fallback when nothing was shown.
    std::string LastOr(std::string_view fallback) const;

  private:
    std::vector<std::string> texts_;
};
