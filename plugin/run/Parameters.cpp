#include "plugin/run/Parameters.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "plugin/run/SettingsRules.h"

namespace {

constexpr std::int32_t kSaturated = std::numeric_limits<std::int32_t>::max();

// Truncation toward zero that stays defined for any float the settings files can carry:
// out-of-range values saturate, NaN becomes 0.
std::int64_t TruncateSaturated(double value, std::int64_t limit) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(limit))
        return limit;
    if (value <= -static_cast<double>(limit))
        return -limit;
    return static_cast<std::int64_t>(value);
}

std::int32_t ReadInt(const ProfileStore& profile, std::string_view key, std::int32_t fallback) {
    return static_cast<std::int32_t>(profile.GetInt(kProfileSection, key, fallback));
}

bool WriteInt(ProfileStore& profile, std::string_view key, std::int32_t value) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return profile.WriteString(kProfileSection, key,
                               std::string_view(text, static_cast<std::size_t>(end - text)));
}

} // namespace

float TenthsToLength(std::uint32_t tenths) {
    return static_cast<float>(tenths) / 10.0f;
}

std::int32_t LengthToTenths(float length) {
    return static_cast<std::int32_t>(
        TruncateSaturated(static_cast<double>(length * 10.0f), kSaturated));
}

std::int32_t LengthToWhole(float length) {
    return static_cast<std::int32_t>(TruncateSaturated(length, kSaturated));
}

float DegreesToRadians(std::uint32_t degrees) {
    return static_cast<float>(degrees / kDegreesPerRadian);
}

std::int32_t RadiansToDegrees(float radians) {
    // Folding is modular, so the saturation bound only has to keep the arithmetic exact.
    std::int64_t d =
        TruncateSaturated(static_cast<double>(radians) * kDegreesPerRadian, std::int64_t{1} << 52);
    if (d < 0)
        d = (d % 360 + 360) % 360;
    else if (d > 360)
        d = (d - 1) % 360 + 1;
    return static_cast<std::int32_t>(d);
}

void LoadParameters(const ProfileStore& profile, MeshSettings& settings,
                    RememberedSettings& remembered, std::int16_t& orient) {
    settings.Meshtype = ReadInt(profile, "Meshtype", kMeshtypeRule.fallback);
    settings.DoLatitude = ReadInt(profile, "DoLatitude", 1);
    settings.DoLongitude = ReadInt(profile, "DoLongitude", 1);
    settings.DoPerspective = ReadInt(profile, "DoPerspective", 1);
    settings.BlackHoles = ReadInt(profile, "BlackHoles", 0);
    settings.DiskFormat = ReadInt(profile, "DiskFormat", kDiskFormatRule.fallback);
    settings.MeshRes = ReadInt(profile, "MeshRes", kMeshResRule.fallback);

    settings.MapAlt = TenthsToLength(profile.GetInt(kProfileSection, "MapAlt", 250));
    settings.RadOff = TenthsToLength(profile.GetInt(kProfileSection, "RadOff", 200));
    settings.CylLen = static_cast<float>(profile.GetInt(kProfileSection, "CylLen", 100));
    settings.ModelScale = TenthsToLength(profile.GetInt(kProfileSection, "ModelScale", 10));

    settings.Xrot = DegreesToRadians(profile.GetInt(kProfileSection, "Xrot", kXrotDefaultDegrees));
    settings.Yrot = DegreesToRadians(profile.GetInt(kProfileSection, "Yrot", kYrotDefaultDegrees));
    settings.Zrot = DegreesToRadians(profile.GetInt(kProfileSection, "Zrot", kZrotDefaultDegrees));
    CheckSettings(settings, SettingsSource::IniFile);

    // Finish writes these back: they are the checked values, so a bad key is mended in the
    // file rather than carried from run to run.
    // (The tools RememberSettings copies too are read from their own keys just below.)
    RememberSettings(settings, remembered);

    settings.viewCenterX = kViewNotPlaced;

    orient = static_cast<std::int16_t>(profile.GetInt(kProfileSection, "Orient", 0) & 0xFFFFu);
    remembered.Shadetype = ReadInt(profile, "Shadetype", kShadetypeRule.fallback);
    remembered.Tooltype = ReadInt(profile, "Tooltype", kTooltypeRule.fallback);
    CheckRememberedSettings(remembered, orient);
}

bool SaveParameters(ProfileStore& profile, const MeshSettings& settings,
                    const RememberedSettings& remembered, std::int16_t orient) {
    const struct {
        std::string_view key;
        std::int32_t value;
    } entries[] = {
        {"Meshtype", settings.Meshtype},
        {"DoLatitude", settings.DoLatitude},
        {"DoLongitude", settings.DoLongitude},
        {"DoPerspective", settings.DoPerspective},
        {"BlackHoles", settings.BlackHoles},
        {"DiskFormat", settings.DiskFormat},
        {"MeshRes", settings.MeshRes},
        {"MapAlt", LengthToTenths(remembered.MapAlt)},
        {"RadOff", LengthToTenths(remembered.RadOff)},
        {"CylLen", LengthToWhole(remembered.CylLen)},
        {"ModelScale", LengthToTenths(remembered.ModelScale)},
        {"Xrot", RadiansToDegrees(remembered.Xrot)},
        {"Yrot", RadiansToDegrees(remembered.Yrot)},
        {"Zrot", RadiansToDegrees(remembered.Zrot)},
        {"Orient", orient},
        {"Shadetype", remembered.Shadetype},
        {"Tooltype", remembered.Tooltype},
    };
    bool ok = true;
    for (const auto& entry : entries)
        ok = WriteInt(profile, entry.key, entry.value) && ok;
    return ok;
}
