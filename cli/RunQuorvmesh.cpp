#include "cli/RunQuorvmesh.h"

#include <functional>
#include <memory>
#include <ostream>

#include "cli/CliSettings.h"
#include "cli/LoadPicture.h"
#include "cli/MeshSteps.h"
#include "plugin/mesh/HeapBlockAllocator.h"

int RunQuorvmesh(const CliOptions& options, CliConsole& console) {
    const std::string pictureName =
        options.input.empty() ? std::string(kStartupPictureName) : options.input;
    std::unique_ptr<HostImage> picture;
    MeshSettings settings{};
    HeapBlockAllocator allocator;
    PictureMesh mesh(settings, allocator);
    StatisticsLines statistics;

    const std::function<StepResult()> steps[] = {
        [&] { return LoadPicture(options.input, picture); },
        [&] { return MakeGray(*picture, options.invert, pictureName); },
        [&] { return BuildSettings(options, settings); },
        [&] {
            return options.saveSettingsPath.empty()
                       ? std::nullopt
                       : SaveRunSettings(options.saveSettingsPath, settings);
        },
        [&] { return MakeMesh(*picture, pictureName, mesh); },
        [&] { return UseMesh(options, mesh, statistics, console.err, console.errIsTerminal); },
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
