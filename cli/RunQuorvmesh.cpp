#include "cli/RunQuorvmesh.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>

#include "cli/CliSettings.h"
#include "cli/LoadPicture.h"
#include "cli/MeshSteps.h"
#include "plugin/mesh/HeapBlockAllocator.h"

namespace {

// An output that is a file the run reads would be destroyed before (or while) it is read.
StepResult RefuseOutputsOverInputs(const CliOptions& options) {
    const std::pair<const std::string&, const char*> inputs[] = {
        {options.input, "the input picture"},
        {options.settingsPath, "the settings file being read"},
        {options.iniPath, "the INI file being read"},
    };
    for (const std::string* output :
         {&options.output, &options.preview.path, &options.saveSettingsPath}) {
        if (output->empty())
            continue;
        for (const auto& [input, what] : inputs) {
            std::error_code error;
            if (!input.empty() && std::filesystem::equivalent(*output, input, error))
                return Fail(kExitUsage, *output, std::string("is the same file as ") + what);
        }
    }
    return std::nullopt;
}

} // namespace

int RunQuorvmesh(const CliOptions& options, CliConsole& console) {
    const std::string pictureName =
        options.input.empty() ? std::string(kStartupPictureName) : options.input;
    LoadedPicture loaded;
    std::unique_ptr<HostImage>& picture = loaded.image;
    MeshSettings settings{};
    HeapBlockAllocator allocator;
    PictureMesh mesh(settings, allocator);
    StatisticsLines statistics;

    const std::function<StepResult()> steps[] = {
        [&] { return RefuseOutputsOverInputs(options); },
        [&] {
            return LoadPicture(options.input, PictureOptions{options.alphaHoles}, loaded,
                               console.err);
        },
        [&] { return MakeGray(loaded, options.invert, pictureName); },
        [&] { return BuildSettings(options, settings); },
        [&] {
            return options.saveSettingsPath.empty()
                       ? std::nullopt
                       : SaveRunSettings(options.saveSettingsPath, settings);
        },
        [&] { return MakeMesh(options, *picture, pictureName, mesh); },
        [&] {
            return UseMesh(options, mesh, loaded.wide ? &*loaded.wide : nullptr, statistics,
                           console.err, console.errIsTerminal && !options.quiet, console.freeSpace);
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
