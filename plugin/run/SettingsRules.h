#pragma once
// The limits of the user's parameters, and the one place where values are held to them as
// they enter a run: the INI file at start, a settings file, the command line. Sampling,
// points and export rely on what CheckSettings leaves and decide nothing again (sampling
// only keeps its table index inside the list, through the same rule).

#include <cstdint>

#include "plugin/run/MeshSettings.h"

// A choice of numbered entries: a value outside low..high takes the fallback, which is
// also the INI file's default for the key.
struct ChoiceRule {
    std::int32_t low, high, fallback;
};

inline constexpr ChoiceRule kMeshtypeRule{kRectangular, kSpherical, kRectangular};
inline constexpr ChoiceRule kDiskFormatRule{kNxmDxf, kLwo, kNxmDxf};
// The "Resolution:" list: 1 "Full" to 8 "10%".
inline constexpr ChoiceRule kMeshResRule{1, 8, 1};

constexpr std::int32_t Checked(const ChoiceRule& rule, std::int32_t value) {
    return value < rule.low || value > rule.high ? rule.fallback : value;
}

// What the dialog's edit boxes and the command line accept for a length. The INI file and
// settings files are not held to these.
struct LengthLimits {
    float low, high;
};

inline constexpr LengthLimits kMapAltLimits{0.1f, 500.0f};
inline constexpr LengthLimits kRadOffLimits{0.1f, 500.0f};
inline constexpr LengthLimits kModelScaleLimits{0.1f, 500.0f};
inline constexpr LengthLimits kCylLenLimits{1.0f, 500.0f};

// Where the values came from: each source has its own rules beside the shared ones.
enum class SettingsSource {
    IniFile,      // start: also turns latitude lines on when both line switches are off
    SettingsFile, // a *.stg record, applied whole
    CommandLine,  // the tool's options, after the INI and settings files
};

// Replaces an out-of-range Meshtype, DiskFormat and MeshRes by its rule's fallback; every
// other field is taken as it comes (but see SettingsSource).
void CheckSettings(MeshSettings& settings, SettingsSource source);
