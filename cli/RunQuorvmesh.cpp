#include "cli/RunQuorvmesh.h"

#include <functional>
#include <memory>
#include <ostream>

#include "cli/CliSettings.h"
#include "cli/LoadPicture.h"
#include "cli/MeshSteps.h"

int RunQuorvmesh(const CliOptions& options, CliConsole& console) {
    const std::string pictureName =
        options.input.empty() ? std::string(kStartupPictureName) : options.input;
    std::unique_ptr<HostImage> picture;
    MeshSettings settings{};
    CliMesh mesh;
    std::array<std::string, 4> statistics;

    const std::function<StepResult()> steps[] = {
        [&] { return LoadPicture(options.input, picture); },
        [&] { return MakeGray(*picture, options.invert, pictureName); },
        [&] { return BuildSettings(options, settings); },
        [&] {
            return options.saveSettingsPath.empty()
                       ? std::nullopt
                       : SaveSettingsFile(options.saveSettingsPath, settings);
        },
        [&] { return MakeMesh(*picture, pictureName, settings, mesh); },
        [&] { return WritePreview(options.preview, settings, mesh); },
        [&] {
            statistics = MeshStatistics(settings, mesh); // before the export turns points over
            return StepResult{};
        },
        [&] {
            return options.output.empty() ? std::nullopt
                                          : ExportFile(options.output, settings, mesh, console.err,
                                                       console.errIsTerminal);
        },
    };
    for (const auto& step : steps) {
        if (auto failure = step()) {
            console.err << failure->message << '\n';
            return failure->exitCode;
        }
    }
    if (!options.quiet)
        for (const auto& line : statistics)
            console.out << line << '\n';
    return kExitOk;
}
