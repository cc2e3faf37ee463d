#include "plugin/ui/DialogRules.h"

#include "plugin/preview/ViewPresets.h"

namespace {

template <typename List> bool InList(const List& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

} // namespace

bool BlackHolesEnabled(const MeshSettings& settings) {
    return settings.DiskFormat != kNxmDxf;
}

bool LineSwitchesEnabled(const MeshSettings& settings) {
    return settings.Shadetype == 0;
}

bool ApplyFormatRule(MeshSettings& settings) {
    if (BlackHolesEnabled(settings) || settings.BlackHoles == 0)
        return false;
    settings.BlackHoles = 0;
    return true;
}

FormatChoice ChooseFormat(MeshSettings& settings, int index) {
    if (!InList(kFormatNames, index))
        return {false, false};
    settings.DiskFormat = index + 1;
    return {true, ApplyFormatRule(settings)};
}

bool ChooseResolution(MeshSettings& settings, int index) {
    if (!InList(kResolutionNames, index))
        return false;
    settings.MeshRes = index + 1;
    return true;
}

bool ChooseViewPreset(MeshSettings& settings, int index) {
    if (!InList(kViewPresets, index))
        return false;
    const ViewPreset& preset = kViewPresets[static_cast<std::size_t>(index)];
    settings.Xrot = preset.xrot;
    settings.Yrot = preset.yrot;
    settings.Zrot = preset.zrot;
    return true;
}
