#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <map>
#include <ostream>

#include "cli/TextCase.h"

#include "plugin/run/MeshSettings.h"
#include "plugin/run/SettingsRules.h"

#ifndef QM_VERSION
#define QM_VERSION "unknown"
#endif

namespace {

const std::map<std::string, std::int32_t> kFormats = {
    {"1", kNxmDxf},
    {"2", kFaceDxf},
    {"3", kPolylineDxf},
    {"4", kTds},
    {"5", kCob},
    {"6", kLwo},
    {"nxm-dxf", kNxmDxf},
    {"3dface-dxf", kFaceDxf},
    {"polyline-dxf", kPolylineDxf},
    {"3ds", kTds},
    {"cob", kCob},
    {"lwo", kLwo},
};

const std::map<std::string, std::int32_t> kMeshTypes = {
    {"rectangular", kRectangular}, {"cylindrical", kCylindrical}, {"spherical", kSpherical}};

// The percentages of the dialog's "Resolution:" list, to MeshRes.
const std::map<std::string, std::int32_t> kResolutions = {
    {"100", 1}, {"75", 2}, {"66", 3}, {"50", 4}, {"33", 5}, {"25", 6}, {"20", 7}, {"10", 8}};

// Maps a name (any case) to its number; unlike CLI11's transformers it does not also take
// the numbers themselves, so "--resolution 5" is an error rather than 33 %.
CLI::Validator NamesOnly(const std::map<std::string, std::int32_t>& names) {
    std::string list;
    for (const auto& entry : names)
        list += (list.empty() ? "" : ", ") + entry.first;
    return CLI::Validator(
        [&names, list](std::string& value) {
            const auto found = names.find(LowerCase(value));
            if (found == names.end())
                return value + " is not one of " + list;
            value = std::to_string(found->second);
            return std::string();
        },
        "");
}

// The dialog's limits for a length.
CLI::Range Within(const LengthLimits& limits) {
    return CLI::Range(limits.low, limits.high);
}

void AddOptions(CLI::App& app, CliOptions& o) {
    app.add_option("INPUT", o.input,
                   "BMP or TIFF picture (type taken from its first bytes); default: the "
                   "built-in start-up picture");
    app.add_option("-o,--output", o.output, "mesh file to write");
    app.add_option("--format", o.diskFormat,
                   "1..6 or nxm-dxf, 3dface-dxf, polyline-dxf, 3ds, cob, lwo (default: from "
                   "the output's extension)")
        ->transform(NamesOnly(kFormats))
        ->type_name("FORMAT");
    app.add_option("--mesh", o.meshType, "rectangular, cylindrical or spherical")
        ->transform(NamesOnly(kMeshTypes))
        ->type_name("TYPE");
    app.add_option("--resolution", o.meshRes, "sampling in percent: 100 75 66 50 33 25 20 10")
        ->transform(NamesOnly(kResolutions))
        ->type_name("PERCENT");
    app.add_option("--map-altitude", o.mapAlt, "map altitude, 0.1 to 500")
        ->check(Within(kMapAltLimits));
    app.add_option("--radial-offset", o.radOff, "radial offset, 0.1 to 500")
        ->check(Within(kRadOffLimits));
    app.add_option("--scale", o.modelScale, "model scale, 0.1 to 500")
        ->check(Within(kModelScaleLimits));
    app.add_option("--cyl-length", o.cylLen, "cylinder length, 1 to 500")
        ->check(Within(kCylLenLimits));
    // Set only when a flag is given, so that the INI or settings file's value holds otherwise.
    app.add_flag_function(
        "--black-holes,!--no-black-holes", [&o](std::int64_t count) { o.blackHoles = count > 0; },
        "leave out the polygons at black pixels (or keep them)");
    app.add_flag("--invert", o.invert, "invert the gray levels first, as Inverse Grays does");
    app.add_option("--settings", o.settingsPath, "read parameters from a settings file (.stg)");
    app.add_option("--save-settings", o.saveSettingsPath,
                   "write the parameters of this run to a settings file (.stg)");
    app.add_option("--ini", o.iniPath, "read parameters from an INI file (section QUORVMESH)");
    app.add_flag("-q,--quiet", o.quiet, "print no statistics");
    AddPreviewOptions(app, o.preview);
}

} // namespace

std::optional<int> ParseCommandLine(const std::vector<std::string>& args, CliOptions& options,
                                    std::ostream& out, std::ostream& err) {
    CLI::App app("Turns a grayscale picture into a 3D polygon mesh file.", "quorvmesh");
    app.set_version_flag("--version", "quorvmesh " QM_VERSION);
    AddOptions(app, options);
    std::vector<std::string> reversed(args.rbegin(), args.rend() - 1); // CLI11 pops from the back
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "quorvmesh: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
    if (options.output.empty() && options.preview.path.empty()) {
        err << "quorvmesh: an output file is needed (-o FILE, or --preview FILE)\n"
            << "Run with --help for more information.\n";
        return kExitUsage;
    }
    return std::nullopt;
}
