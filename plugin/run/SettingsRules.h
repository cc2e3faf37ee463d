#pragma once
// The limits of the user's parameters, and the one place where values are held to them as
// they enter a run: the INI file at start, a settings file, the command line. Sampling,
// points, the preview and export rely on what CheckSettings leaves and decide nothing again
// (sampling only keeps its table index inside the list, through the same rule).

#include <cstdint>

#include "plugin/run/MeshSettings.h"
#include "plugin/run/PluginState.h"

// A choice of numbered entries: a value outside low..high takes the fallback, which is
// also the INI file's default for the key.
struct ChoiceRule {
    std::int32_t low, high, fallback;
};

inline constexpr ChoiceRule kMeshtypeRule{kRectangular, kSpherical, kRectangular};
inline constexpr ChoiceRule kDiskFormatRule{kNxmDxf, kLwo, kNxmDxf};
// The "Resolution:" list: 1 "Full" to 8 "10%".
inline constexpr ChoiceRule kMeshResRule{1, 8, 1};
// The three tool buttons and the three style buttons.
inline constexpr ChoiceRule kTooltypeRule{0, 2, 1};
inline constexpr ChoiceRule kShadetypeRule{0, 2, 0};
// The "View:" list: 0 "3/4 view" to 6 "Left", or -1 for no selection.
inline constexpr ChoiceRule kOrientRule{-1, 6, -1};

constexpr std::int32_t Checked(const ChoiceRule& rule, std::int32_t value) {
    return value < rule.low || value > rule.high ? rule.fallback : value;
}

// What the dialog's edit boxes and the command line accept for a length, and the INI
// file's default, which a value that is not a finite number becomes.
struct LengthLimits {
    float low, high, fallback;
};

inline constexpr LengthLimits kMapAltLimits{0.1f, 500.0f, 25.0f};
inline constexpr LengthLimits kRadOffLimits{0.1f, 500.0f, 20.0f};
inline constexpr LengthLimits kModelScaleLimits{0.1f, 500.0f, 1.0f};
inline constexpr LengthLimits kCylLenLimits{1.0f, 500.0f, 100.0f};

// NaN and the infinities take the fallback; a finite value is clamped to low..high.
float Checked(const LengthLimits& limits, float value);

// The INI file's defaults for the angles, in whole degrees.
inline constexpr std::uint32_t kXrotDefaultDegrees = 30;
inline constexpr std::uint32_t kYrotDefaultDegrees = 30;
inline constexpr std::uint32_t kZrotDefaultDegrees = 0;

// Where the values came from: each source has its own rules beside the shared ones.
enum class SettingsSource {
    IniFile,      // start: also turns latitude lines on when both line switches are off
    SettingsFile, // a *.stg record, applied whole
    CommandLine,  // the tool's options, after the INI and settings files
};

// Holds every user field to its rule: Meshtype, DiskFormat, MeshRes, Tooltype and Shadetype
// outside their lists take their defaults; the four switches become 0 or 1 (any nonzero
// value is 1); a length that is not a finite number takes its default, any other is clamped
// to its limits; an angle that is not finite takes its default; a view value that is not
// finite becomes 0, and a view that cannot be drawn (such a value, or a zoom that is not
// positive) is marked kViewNotPlaced so that the preview places it afresh. The geometry
// fields are left alone.
void CheckSettings(MeshSettings& settings, SettingsSource source);

// The same rules for what start hands on to finish (which writes it back to the INI file):
// the lengths, angles and tools, and Orient outside -1..6 becomes -1.
void CheckRememberedSettings(RememberedSettings& remembered, std::int16_t& orient);
