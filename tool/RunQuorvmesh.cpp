#include "tool/RunQuorvmesh.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>

#include "pictures/LoadPicture.h"
#include "plugin/mesh/HeapBlockAllocator.h"
#include "tool/CliSettings.h"
#include "tool/MeshSteps.h"

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

// Where a file written at path ends up: links along its last part followed, as the writers
// follow them, and the rest made canonical as far as it exists.
std::filesystem::path WrittenPlace(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path place = fs::absolute(path, error);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(place, error)); ++hops) {
        const fs::path target = fs::read_symlink(place, error);
        if (error)
            break;
        place = target.is_absolute() ? target : place.parent_path() / target;
    }
    const fs::path canonical = fs::weakly_canonical(place, error);
    return error ? place.lexically_normal() : canonical;
}

// Two outputs on one file would leave only the one written last.
StepResult RefuseOneFileForTwoOutputs(const CliOptions& options) {
    const std::pair<const std::string&, const char*> outputs[] = {
        {options.output, "-o"},
        {options.preview.path, "--preview"},
        {options.saveSettingsPath, "--save-settings"},
    };
    for (std::size_t i = 0; i < std::size(outputs); ++i)
        for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
            const std::string &a = outputs[i].first, &b = outputs[j].first;
            if (a.empty() || b.empty())
                continue;
            std::error_code error;
            if (std::filesystem::equivalent(a, b, error) || WrittenPlace(a) == WrittenPlace(b))
                return Fail(kExitUsage, b,
                            std::string("is the same file as ") + outputs[i].second + " " + a +
                                "; give each output a file of its own");
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
        [&] { return RefuseOneFileForTwoOutputs(options); },
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
                           console.err, console.errIsTerminal && !options.quiet, console.progress,
                           console.freeSpace);
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
