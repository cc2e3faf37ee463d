#include "plugin/run/SettingsRules.h"

#include <algorithm>
#include <cmath>

#include "plugin/run/Parameters.h"

namespace {

std::int32_t CheckedSwitch(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

// An angle may be any finite number of radians; the rest take the key's default.
float CheckedAngle(float radians, std::uint32_t fallbackDegrees) {
    return std::isfinite(radians) ? radians : DegreesToRadians(fallbackDegrees);
}

} // namespace

float Checked(const LengthLimits& limits, float value) {
    if (!std::isfinite(value))
        return limits.fallback;
    return std::clamp(value, limits.low, limits.high);
}

namespace {

// The lengths and angles as a run's settings and the remembered values both hold them.
template <class Values> void CheckLengthsAndAngles(Values& values) {
    values.MapAlt = Checked(kMapAltLimits, values.MapAlt);
    values.RadOff = Checked(kRadOffLimits, values.RadOff);
    values.ModelScale = Checked(kModelScaleLimits, values.ModelScale);
    values.CylLen = Checked(kCylLenLimits, values.CylLen);
    values.Xrot = CheckedAngle(values.Xrot, kXrotDefaultDegrees);
    values.Yrot = CheckedAngle(values.Yrot, kYrotDefaultDegrees);
    values.Zrot = CheckedAngle(values.Zrot, kZrotDefaultDegrees);
}

} // namespace

void CheckSettings(MeshSettings& settings, SettingsSource source) {
    settings.Meshtype = Checked(kMeshtypeRule, settings.Meshtype);
    settings.DiskFormat = Checked(kDiskFormatRule, settings.DiskFormat);
    settings.MeshRes = Checked(kMeshResRule, settings.MeshRes);
    settings.Tooltype = Checked(kTooltypeRule, settings.Tooltype);
    settings.Shadetype = Checked(kShadetypeRule, settings.Shadetype);

    settings.DoLatitude = CheckedSwitch(settings.DoLatitude);
    settings.DoLongitude = CheckedSwitch(settings.DoLongitude);
    settings.DoPerspective = CheckedSwitch(settings.DoPerspective);
    settings.BlackHoles = CheckedSwitch(settings.BlackHoles);
    // The wireframe must draw some lines. Only start has ever enforced this; a settings
    // file may switch both off.
    if (source == SettingsSource::IniFile && settings.DoLatitude == 0 && settings.DoLongitude == 0)
        settings.DoLatitude = 1;

    CheckLengthsAndAngles(settings);

    const bool placeable = std::isfinite(settings.viewCenterX) &&
                           std::isfinite(settings.viewCenterY) &&
                           std::isfinite(settings.viewZoom) && settings.viewZoom > 0.0f;
    for (float* view : {&settings.viewCenterX, &settings.viewCenterY, &settings.viewZoom})
        if (!std::isfinite(*view))
            *view = 0.0f;
    if (!placeable)
        settings.viewCenterX = kViewNotPlaced;
}

void CheckRememberedSettings(RememberedSettings& remembered, std::int16_t& orient) {
    CheckLengthsAndAngles(remembered);
    remembered.Tooltype = Checked(kTooltypeRule, remembered.Tooltype);
    remembered.Shadetype = Checked(kShadetypeRule, remembered.Shadetype);
    orient = static_cast<std::int16_t>(Checked(kOrientRule, orient));
}
