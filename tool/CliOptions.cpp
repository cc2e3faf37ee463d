#include "tool/CliOptions.h"

#include <thread>

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <ostream>
#include <utility>

#include "toolbase/TextCase.h"

#include "common/NumberText.h"
#include "plugin/run/MeshSettings.h"
#include "plugin/run/SettingsRules.h"

#ifndef QM_VERSION
#define QM_VERSION "unknown"
#endif

namespace {

// Names for the user to type, in the order the dialog lists the entries.
using NameList = std::vector<std::pair<std::string, std::int32_t>>;

const NameList kFormatNames = {
    {"nxm-dxf", kNxmDxf},
    {"3dface-dxf", kFaceDxf},
    {"polyline-dxf", kPolylineDxf},
    {"3ds", kTds},
    {"cob", kCob},
    {"lwo", kLwo},
    {"stl", kStl},
    {"obj", kObj},
    {"ply", kPly},
    {"3mf", kThreeMf},
};

const NameList kFormats = [] {
    NameList all;
    for (std::int32_t id = kNxmDxf; id <= kLwo; ++id)
        all.emplace_back(std::to_string(id), id);
    all.insert(all.end(), kFormatNames.begin(), kFormatNames.end());
    return all;
}();

const NameList kMeshTypes = {
    {"rectangular", kRectangular}, {"cylindrical", kCylindrical}, {"spherical", kSpherical}};

// The percentages of the dialog's "Resolution:" list, to MeshRes.
const NameList kResolutions = {{"100", 1}, {"75", 2}, {"66", 3}, {"50", 4},
                               {"33", 5},  {"25", 6}, {"20", 7}, {"10", 8}};

std::string Joined(const NameList& names, std::size_t first = 0) {
    std::string list;
    for (std::size_t i = first; i < names.size(); ++i)
        list += (list.empty() ? "" : ", ") + names[i].first;
    return list;
}

std::string FormatName(std::int32_t id) {
    for (const auto& [name, value] : kFormatNames)
        if (value == id)
            return name;
    return std::to_string(id);
}

// Maps a name (any case) to its number; unlike CLI11's transformers it does not also take
// the numbers themselves, so "--resolution 5" is an error rather than 33 %.
CLI::Validator NamesOnly(const NameList& names) {
    return CLI::Validator(
        [&names](std::string& value) {
            const std::string lower = LowerCase(value);
            for (const auto& [name, id] : names) {
                if (name == lower) {
                    value = std::to_string(id);
                    return std::string();
                }
            }
            return value + " is not one of " + Joined(names);
        },
        "");
}

// A finite decimal number within the dialog's limits for a length. CLI11's own range check
// lets "nan" through and calls "abc" out of range.
CLI::Validator Within(const LengthLimits& limits) {
    return CLI::Validator(
        [limits](std::string& text) {
            const char* first = text.data();
            const char* last = first + text.size();
            if (first != last && *first == '+')
                ++first;
            double value = 0;
            const auto [end, error] = ReadNumber(first, last, value);
            const bool huge = error == std::errc::result_out_of_range;
            if (first == last || end != last || (error != std::errc() && !huge) ||
                (!huge && !std::isfinite(value)))
                return text + " is not a number";
            // Compared as the float it becomes, so that "0.1" is the limit 0.1f itself.
            const auto stored = static_cast<float>(value);
            if (huge || stored < limits.low || stored > limits.high) {
                char low[16], high[16];
                *ShortestText(low, low + sizeof low - 1, limits.low) = '\0';
                *ShortestText(high, high + sizeof high - 1, limits.high) = '\0';
                return text + " is not within " + low + " to " + high;
            }
            return std::string();
        },
        "");
}

// CLI11 shows a negated flag's value after its name ("--no-black-holes{false}"); the
// description says what the flag does.
class HelpFormatter final : public CLI::Formatter {
  public:
    std::string make_option_name(const CLI::Option* option, bool positional) const override {
        std::string name = CLI::Formatter::make_option_name(option, positional);
        for (std::size_t open; (open = name.find('{')) != std::string::npos;) {
            const std::size_t close = name.find('}', open);
            name.erase(open, close == std::string::npos ? std::string::npos : close - open + 1);
        }
        return name;
    }
};

constexpr const char* kFooter =
    "Options that are not given take their values from the --settings file, else from the\n"
    "--ini file, else the defaults shown. When an option is repeated, the last one counts.\n"
    "\n"
    "Exit codes: 0 done, 1 usage error, 2 the picture, settings or INI file cannot be read or\n"
    "is refused (also a picture too small for a mesh), 3 the mesh does not fit the format,\n"
    "4 an output cannot be written, 5 a solid cannot be closed with these sizes (a wall that\n"
    "would reach its axis or middle, an opening as wide as the globe's inside).";

// A positive length in millimetres (the triangle formats' unit).
CLI::Validator Millimetres() {
    return Within({0.001f, 100000.0f, 1.0f});
}

void AddTriangleOptions(CLI::App& app, CliOptions& o) {
    auto* group = app.add_option_group("STL, OBJ, PLY and 3MF");
    group->add_flag("--ascii", o.asciiStl, "write STL as text rather than binary");
    group->add_flag("--solid", o.solid,
                    "close the mesh into a printable solid, Z up and resting on z = 0: walls "
                    "and a flat base (rectangular), a tube with a smooth inner wall "
                    "(cylindrical), a ball or, with --wall, a hollow globe (spherical)");
    group->add_flag("--lithophane", o.lithophane,
                    "a lithophane: a solid, dark parts thick (--invert), --wall 0.8 and "
                    "--relief 2.2 unless given, so 3 mm at black");
    group->add_flag("--mirror", o.mirror,
                    "mirror the picture, so that it reads right from inside a tube or globe "
                    "(a lamp seen through its wall) or from below a flat relief");
    auto* base = group
                     ->add_option("--base", o.baseMm,
                                  "a solid's thickness below its lowest point (rectangular) or "
                                  "inside it (cylindrical), in mm; default 1; implies --solid")
                     ->check(Millimetres())
                     ->type_name("MM");
    group
        ->add_option("--wall", o.wallMm,
                     "the same as --base; on a globe, makes it hollow with a smooth inside "
                     "this far inside its lowest point; implies --solid")
        ->check(Millimetres())
        ->type_name("MM")
        ->excludes(base);
    group
        ->add_option("--opening", o.openingMm,
                     "a hollow globe's round opening at its south pole, this wide, on a flat "
                     "rim; implies --solid")
        ->check(Millimetres())
        ->type_name("MM");
    group
        ->add_option("--width", o.widthMm,
                     "scale the model so that its X extent (a round mesh's diameter of "
                     "white) is MM; Y follows the picture")
        ->check(Millimetres())
        ->type_name("MM");
    group->add_option("--relief", o.reliefMm, "height of white above black, in mm")
        ->check(Millimetres())
        ->type_name("MM");
    group
        ->add_option("--height", o.heightMm,
                     "a tube's length in mm; default: the picture's proportions")
        ->check(Millimetres())
        ->type_name("MM");
    auto* center = group->add_flag_callback(
        "--center", [&o] { o.origin = ModelOrigin::kCenter; },
        "place the model's bounding box centred on x = y = 0 with its bottom on z = 0 (a "
        "solid's default)");
    auto* corner = group->add_flag_callback(
        "--corner", [&o] { o.origin = ModelOrigin::kCorner; },
        "place the model's bounding box with its lowest corner at the origin");
    center->excludes(corner);
    group
        ->add_option("--max-error", o.maxError,
                     "fewer triangles: the surface stays within MM of every sample of the full "
                     "mesh, in height (rectangular) or radially (cylindrical, spherical); 0: "
                     "only flat stretches are merged")
        ->check(CLI::NonNegativeNumber.description(""))
        ->type_name("MM");
    group
        ->add_option("--triangles", o.maxTriangles,
                     "fewer triangles: at most N in the surface, as close to it as they get")
        ->check(CLI::Validator(
            [](std::string& text) {
                std::uint64_t n = 0;
                const auto [end, error] =
                    std::from_chars(text.data(), text.data() + text.size(), n);
                if (error != std::errc() || end != text.data() + text.size())
                    return text + " is not a whole number";
                if (n < 2)
                    return std::string("at least 2 triangles are needed, the two of a flat "
                                       "surface");
                return std::string();
            },
            ""))
        ->type_name("N");
}

void AddOptions(CLI::App& app, CliOptions& o) {
    app.add_option("INPUT", o.input,
                   "picture: BMP, TIFF, PNG or JPEG (type taken from its first bytes); default: "
                   "the built-in start-up picture")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    app.add_option("-o,--output", o.output,
                   "mesh file to write; required unless --preview is given")
        ->type_name("FILE");
    app.add_option("--format", o.diskFormat,
                   "nxm-dxf, 3dface-dxf, polyline-dxf, 3ds, cob, lwo (or 1 to 6), stl, obj, "
                   "ply, 3mf; default: from the output's extension, .dxf nxm-dxf, .3ds, .cob, "
                   ".lwo, .stl, .obj, .ply, .3mf")
        ->transform(NamesOnly(kFormats))
        ->type_name("FORMAT");
    app.add_option("--mesh", o.meshType,
                   "rectangular, cylindrical or spherical; default rectangular")
        ->transform(NamesOnly(kMeshTypes))
        ->type_name("TYPE");
    app.add_option("--resolution", o.meshRes,
                   "sampling in percent: 100, 75, 66, 50, 33, 25, 20 or 10; default 100")
        ->transform(NamesOnly(kResolutions))
        ->type_name("PERCENT");
    app.add_option("--map-altitude", o.mapAlt, "map altitude, 0.1 to 500; default 25")
        ->check(Within(kMapAltLimits))
        ->type_name("NUMBER");
    app.add_option("--radial-offset", o.radOff, "radial offset, 0.1 to 500; default 20")
        ->check(Within(kRadOffLimits))
        ->type_name("NUMBER");
    app.add_option("--scale", o.modelScale, "model scale, 0.1 to 500; default 1")
        ->check(Within(kModelScaleLimits))
        ->type_name("NUMBER");
    app.add_option("--cyl-length", o.cylLen, "cylinder length, 1 to 500; default 100")
        ->check(Within(kCylLenLimits))
        ->type_name("NUMBER");
    // Set only when a flag is given, so that the INI or settings file's value holds otherwise.
    app.add_flag_function(
           "--black-holes,!--no-black-holes",
           [&o](std::int64_t count) { o.blackHoles = count > 0; },
           "leave out the polygons at black pixels (or keep them); default: keep them")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--invert", o.invert,
                 "invert the gray levels first, as Inverse Grays does (a settings file does "
                 "not keep it)");
    app.add_flag("--alpha-holes", o.alphaHoles,
                 "transparent pixels (alpha below half) become black, so that with "
                 "--black-holes they leave holes");
    app.add_option("--settings", o.settingsPath, "read parameters from a settings file (.stg)")
        ->type_name("FILE");
    app.add_option("--save-settings", o.saveSettingsPath,
                   "write the parameters of this run to a settings file (.stg); it keeps "
                   "the plug-in's parameters only, not --invert nor the options of STL, OBJ, "
                   "PLY and 3MF")
        ->type_name("FILE");
    app.add_option("--ini", o.iniPath, "read parameters from an INI file (section QUORVMESH)")
        ->type_name("FILE");
    app.add_flag("-q,--quiet", o.quiet, "print no statistics or progress bar");
    app.add_option("--threads", o.threads,
                   "1 to 64: with 2 or more, two threads put the text of a 3D Face DXF file "
                   "together; default: 2 on a machine of two cores or more, else 1")
        ->check(CLI::Range(1, 64).description(""))
        ->type_name("N");
    AddPreviewOptions(app, o.preview);
    AddTriangleOptions(app, o);
}

// Without --format the output's extension must name a format; a --format that another
// extension names is only worth a warning, since the user asked for it.
std::optional<int> CheckOutputFormat(const CliOptions& options, std::ostream& err) {
    if (options.output.empty())
        return std::nullopt;
    const std::optional<std::int32_t> named = FormatOfExtension(options.output);
    if (!options.diskFormat) {
        if (named)
            return std::nullopt;
        err << "quorvmesh: " << options.output
            << ": the extension names no mesh format; use .dxf, .3ds, .cob, .lwo, .stl, .obj, "
               ".ply or .3mf, or --format "
            << Joined(kFormatNames) << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
    const bool bothDxf = *options.diskFormat <= kPolylineDxf && named && *named <= kPolylineDxf;
    if (named && *named != *options.diskFormat && !bothDxf)
        err << "quorvmesh: warning: " << options.output << ": writing "
            << FormatName(*options.diskFormat) << " as --format says, not " << FormatName(*named)
            << " as the extension says\n";
    return std::nullopt;
}

// The options of the triangle formats that were given, by name.
std::vector<std::string> TriangleOptionsGiven(const CliOptions& o) {
    std::vector<std::string> names;
    const std::pair<bool, const char*> options[] = {
        {o.solid, "--solid"},
        {o.lithophane, "--lithophane"},
        {o.mirror, "--mirror"},
        {o.baseMm.has_value(), "--base"},
        {o.wallMm.has_value(), "--wall"},
        {o.openingMm.has_value(), "--opening"},
        {o.widthMm.has_value(), "--width"},
        {o.reliefMm.has_value(), "--relief"},
        {o.heightMm.has_value(), "--height"},
        {o.origin == ModelOrigin::kCenter, "--center"},
        {o.origin == ModelOrigin::kCorner, "--corner"},
        {o.asciiStl, "--ascii"},
        {o.maxError.has_value(), "--max-error"},
        {o.maxTriangles.has_value(), "--triangles"},
    };
    for (const auto& [given, name] : options)
        if (given)
            names.push_back(name);
    return names;
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// The triangle formats' options mean nothing to the plug-in's formats, and a settings file
// keeps only the plug-in's parameters; said, not refused, as for a --format that differs
// from the extension.
void WarnAboutIgnoredOptions(const CliOptions& o, std::ostream& err) {
    const std::optional<std::int32_t> triangles = TriangleFormatOf(o);
    const std::vector<std::string> given = TriangleOptionsGiven(o);
    const std::string made = o.output.empty() ? "the preview" : o.output;
    if (!triangles && !given.empty())
        err << "quorvmesh: warning: " << JoinedNames(given)
            << (given.size() > 1 ? " apply" : " applies")
            << " to STL, OBJ, PLY and 3MF files only; " << made << " is made without "
            << (given.size() > 1 ? "them" : "it") << "\n";
    else if (triangles && o.asciiStl && *triangles != kStl)
        err << "quorvmesh: warning: --ascii applies to STL only; " << made
            << " is written as its format has it\n";
    if (o.saveSettingsPath.empty())
        return;
    std::vector<std::string> lost;
    if (o.invert)
        lost.push_back("--invert");
    if (triangles)
        lost.insert(lost.end(), given.begin(), given.end());
    if (!lost.empty())
        err << "quorvmesh: warning: a settings file keeps only the plug-in's parameters; "
            << o.saveSettingsPath << " does not keep " << JoinedNames(lost) << "\n";
}

// --lithophane stands for the options lithophane makers use; a solid's own options ask for a
// solid. Only for the triangle formats, whose options these are.
void FillTriangleOptions(CliOptions& o) {
    if (!TriangleFormatOf(o))
        return;
    if (o.lithophane) {
        o.invert = true;
        if (!o.blackHoles)
            o.blackHoles = false;
        if (!o.wallMm && !o.baseMm)
            o.wallMm = kLithophaneWallMm;
        if (!o.reliefMm)
            o.reliefMm = kLithophaneReliefMm;
    }
    o.solid = o.solid || o.lithophane || o.baseMm || o.wallMm || o.openingMm;
}

} // namespace

std::optional<std::int32_t> FormatOfExtension(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".dxf")
        return kNxmDxf;
    if (ext == ".3ds")
        return kTds;
    if (ext == ".cob")
        return kCob;
    if (ext == ".lwo")
        return kLwo;
    if (ext == ".stl")
        return kStl;
    if (ext == ".obj")
        return kObj;
    if (ext == ".ply")
        return kPly;
    if (ext == ".3mf")
        return kThreeMf;
    return std::nullopt;
}

std::optional<int> ParseCommandLine(const std::vector<std::string>& args, CliOptions& options,
                                    std::ostream& out, std::ostream& err) {
    CLI::App app("Turns a grayscale picture into a 3D polygon mesh file.", "quorvmesh");
    app.formatter(std::make_shared<HelpFormatter>());
    app.footer(kFooter);
    // Each option given twice: the later one wins, as users expect of a command line.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
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
    if (auto failure = CheckOutputFormat(options, err))
        return failure;
    WarnAboutIgnoredOptions(options, err);
    FillTriangleOptions(options);
    return std::nullopt;
}

std::optional<std::int32_t> TriangleFormatOf(const CliOptions& options) {
    const std::optional<std::int32_t> format =
        options.diskFormat ? options.diskFormat : FormatOfExtension(options.output);
    if (!format || !IsTriangleFormat(*format))
        return std::nullopt;
    return format;
}

int WriterThreads(const CliOptions& options) {
    if (options.threads > 0)
        return options.threads;
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}
