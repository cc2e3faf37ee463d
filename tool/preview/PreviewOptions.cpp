#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewPresets.h"
#include "plugin/run/Parameters.h"
#include "tool/preview/PictureFile.h"
#include "tool/preview/PreviewCommand.h"
#include "toolbase/TextCase.h"

namespace {

// The dialog's "View:" presets by their names in lower case; angles in radians.
std::map<std::string, std::array<float, 3>> ViewsByName() {
    std::map<std::string, std::array<float, 3>> views;
    for (const ViewPreset& preset : kViewPresets)
        views[LowerCase(std::string(preset.name))] = {preset.xrot, preset.yrot, preset.zrot};
    // Typed without the word, as people write it.
    views["3/4"] = views.at("3/4 view");
    return views;
}

const std::map<std::string, std::int32_t> kStyles = {
    {"wireframe", 0}, {"outlined", 1}, {"shaded", 2}};

// "X,Y,Z" in degrees, each finite.
bool ParseRotation(const std::string& text, std::array<float, 3>& radians) {
    float x, y, z;
    char end;
    if (std::sscanf(text.c_str(), "%f,%f,%f%c", &x, &y, &z, &end) != 3)
        return false;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return false;
    constexpr auto perRadian = static_cast<float>(kDegreesPerRadian);
    radians = {x / perRadian, y / perRadian, z / perRadian};
    return true;
}

// "WxH" with each side from 1 to the surface's limit.
bool ParseSize(const std::string& text, PreviewSize& size) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    const auto side = [](const char* first, const char* last, int& value) {
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last && value >= 1 &&
               value <= SoftwareSurface::kMaxSide;
    };
    int width = 0, height = 0;
    const char* begin = text.data();
    if (!side(begin, begin + x, width) || !side(begin + x + 1, begin + text.size(), height))
        return false;
    size = {width, height};
    return true;
}

} // namespace

void AddPreviewOptions(CLI::App& app, PreviewOptions& options) {
    const std::string group = "Preview picture";
    CLI::Option* preview =
        app.add_option("--preview", options.path,
                       "also write the preview as the dialog first shows it (.png or .bmp)")
            ->type_name("FILE")
            ->check([](const std::string& path) {
                return IsPictureFileName(path) ? std::string()
                                               : "the preview picture must end in .png or .bmp";
            })
            ->group(group);

    app.add_option_function<std::string>(
           "--style",
           [&options](const std::string& v) { options.shadetype = kStyles.at(LowerCase(v)); },
           "wireframe, outlined or shaded; default: the settings file's, else wireframe")
        ->check(CLI::IsMember(kStyles, CLI::ignore_case).description(""))
        ->type_name("STYLE")
        ->needs(preview)
        ->group(group);

    static const auto views = ViewsByName();
    CLI::Option* view =
        app.add_option_function<std::string>(
               "--view",
               [&options](const std::string& v) { options.rotation = views.at(LowerCase(v)); },
               "\"3/4 view\" (or 3/4), front, back, top, bottom, right or left; default: the "
               "angles of the settings or INI file, else those of 3/4 view")
            ->check(CLI::IsMember(views, CLI::ignore_case).description(""))
            ->type_name("VIEW")
            ->needs(preview)
            ->group(group);

    app.add_option_function<std::string>(
           "--rotate",
           [&options](const std::string& v) {
               std::array<float, 3> radians{};
               ParseRotation(v, radians);
               options.rotation = radians;
           },
           "view angles X,Y,Z in degrees, instead of --view")
        ->type_name("X,Y,Z")
        ->check([](const std::string& v) {
            std::array<float, 3> radians{};
            return ParseRotation(v, radians) ? std::string()
                                             : "expected three numbers X,Y,Z in degrees";
        })
        ->excludes(view)
        ->needs(preview)
        ->group(group);

    const auto flag = [&](const char* names, std::optional<bool>& target, const char* help) {
        app.add_flag_function(
               names, [&target](std::int64_t count) { target = count > 0; }, help)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->needs(preview)
            ->group(group);
    };
    flag("--perspective,!--no-perspective", options.perspective,
         "perspective projection (or parallel); default: on");
    flag("--latitude,!--no-latitude", options.latitude, "wireframe rows; default: on");
    flag("--longitude,!--no-longitude", options.longitude, "wireframe columns; default: on");

    app.add_option_function<std::string>(
           "--size", [&options](const std::string& v) { ParseSize(v, options.size); },
           "picture size, default 800x800")
        ->type_name("WxH")
        ->check([](const std::string& v) {
            PreviewSize size{};
            return ParseSize(v, size) ? std::string()
                                      : "expected WxH with each side from 1 to " +
                                            std::to_string(SoftwareSurface::kMaxSide);
        })
        ->needs(preview)
        ->group(group);
}
