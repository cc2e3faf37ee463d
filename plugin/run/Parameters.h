#pragma once
// The user's parameters in the INI file: loaded at start, saved at finish. Every value in
// the file is a decimal integer; lengths are kept in tenths (CylLen whole), angles in whole
// degrees, converted with the factor 57.29578.

#include <cstdint>

#include "common/ProfileStore.h"
#include "plugin/run/MeshSettings.h"
#include "plugin/run/PluginState.h"

inline constexpr double kDegreesPerRadian = 57.29578;

// Start: the user fields of settings, the remembered values and Orient from the file, with
// defaults for missing keys, then checked (CheckSettings, SettingsSource::IniFile, and
// CheckRememberedSettings): the remembered lengths and angles are the checked ones.
// viewCenterX becomes kViewNotPlaced; every other field keeps what it holds.
void LoadParameters(const ProfileStore& profile, MeshSettings& settings,
                    RememberedSettings& remembered, std::int16_t& orient);

// Finish: the seven switches from settings, the lengths, angles and tools from remembered,
// and orient. False when any key could not be written (the rest are still tried).
bool SaveParameters(ProfileStore& profile, const MeshSettings& settings,
                    const RememberedSettings& remembered, std::int16_t orient);

// A length in tenths (MapAlt 250 -> 25.0) and back, truncated toward zero.
float TenthsToLength(std::uint32_t tenths);
std::int32_t LengthToTenths(float length);
// A length kept whole (CylLen), truncated toward zero.
std::int32_t LengthToWhole(float length);

// Whole degrees to radians, and radians to whole degrees truncated toward zero and folded
// into 0..360 (both ends included): -30 degrees -> 330, 2 pi -> 360.
float DegreesToRadians(std::uint32_t degrees);
std::int32_t RadiansToDegrees(float radians);
