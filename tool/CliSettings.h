#pragma once
// The parameters of one run, as the plug-in would hold them when its dialog closes with OK:
// the INI file's values (or the defaults), then a settings file, then explicit options.
// Reading and writing go through the plug-in's own INI and settings-file code.

#include <string>

#include "plugin/run/MeshSettings.h"
#include "tool/CliOptions.h"
#include "toolbase/CliFailure.h"

// Fills the user fields of settings, checked as the plug-in checks them. Exit code 2 when
// the INI or settings file cannot be read or is refused.
StepResult BuildSettings(const CliOptions& options, MeshSettings& settings);

// The format: --format when given; else by the output's extension (FormatOfExtension);
// else (only with no output, which the command line allows for a preview alone, or with a
// triangle format, which the plug-in's settings cannot hold) what the INI or settings file
// said.
std::int32_t ChooseDiskFormat(const CliOptions& options, std::int32_t fromSettings);

// --save-settings: writes the run's settings as a settings file; exit code 4 when it
// cannot be written.
StepResult SaveRunSettings(const std::string& path, const MeshSettings& settings);
