#include "tool/CliSettings.h"

#include <fstream>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/PluginState.h"
#include "plugin/run/SettingsFile.h"
#include "plugin/run/SettingsRules.h"

namespace {

StepResult ApplyIniFile(const std::string& path, MeshSettings& settings) {
    IniFile ini; // without --ini: every key takes its default
    if (!path.empty()) {
        auto loaded = LoadIniFile(path);
        if (!loaded)
            return Fail(kExitInput, path, "cannot be read");
        ini = std::move(*loaded);
    }
    RememberedSettings remembered{};
    std::int16_t orient = 0;
    LoadParameters(ini, settings, remembered, orient);
    return std::nullopt;
}

StepResult ApplySettingsFile(const std::string& path, MeshSettings& settings) {
    if (path.empty())
        return std::nullopt;
    // The plug-in's loader calls a file it cannot open invalid; the tool says what it is.
    if (!std::ifstream(path, std::ios::binary))
        return Fail(kExitInput, path, "cannot be read");
    SettingsRecord record{};
    switch (LoadSettingsFile(path, record)) {
    case SettingsStatus::InvalidFile:
        return Fail(kExitInput, path, kInvalidSettingsFile.text);
    case SettingsStatus::InvalidVersion:
        return Fail(kExitInput, path, kInvalidSettingsVersion.text);
    case SettingsStatus::Ok:
        break;
    }
    ApplySettingsRecord(record, settings);
    return std::nullopt;
}

void ApplyOptions(const CliOptions& o, MeshSettings& s) {
    s.Meshtype = o.meshType.value_or(s.Meshtype);
    s.MeshRes = o.meshRes.value_or(s.MeshRes);
    s.MapAlt = o.mapAlt.value_or(s.MapAlt);
    s.RadOff = o.radOff.value_or(s.RadOff);
    s.ModelScale = o.modelScale.value_or(s.ModelScale);
    s.CylLen = o.cylLen.value_or(s.CylLen);
    if (o.blackHoles)
        s.BlackHoles = *o.blackHoles ? 1 : 0;
    s.DiskFormat = ChooseDiskFormat(o, s.DiskFormat);
    CheckSettings(s, SettingsSource::CommandLine);
}

} // namespace

std::int32_t ChooseDiskFormat(const CliOptions& options, std::int32_t fromSettings) {
    const std::optional<std::int32_t> named =
        options.diskFormat ? options.diskFormat : FormatOfExtension(options.output);
    // The settings hold only the plug-in's formats: a triangle format leaves them theirs.
    return named && !IsTriangleFormat(*named) ? *named : fromSettings;
}

StepResult BuildSettings(const CliOptions& options, MeshSettings& settings) {
    if (auto failure = ApplyIniFile(options.iniPath, settings))
        return failure;
    if (auto failure = ApplySettingsFile(options.settingsPath, settings))
        return failure;
    ApplyOptions(options, settings);
    return std::nullopt;
}

StepResult SaveRunSettings(const std::string& path, const MeshSettings& settings) {
    if (!SaveSettingsFile(path, SettingsRecordOf(settings)))
        return Fail(kExitOutput, path, "cannot be written");
    return std::nullopt;
}
