#pragma once
// The filter dialog's list contents and the rules that tie its controls together: which
// controls are enabled, what a list selection stores.

#include <array>
#include <string_view>

#include "plugin/run/MeshSettings.h"

// The "Format:" list (DiskFormat = index + 1) and the "Resolution:" list (MeshRes = index + 1).
inline constexpr std::array<std::string_view, 6> kFormatNames{
    "NxM DXF", "3D Face DXF", "Polyline DXF", "3D Studio 3DS", "trueSpace COB", "LightWave LWO"};
inline constexpr std::array<std::string_view, 8> kResolutionNames{"Full", "75%", "66%", "50%",
                                                                  "33%",  "25%", "20%", "10%"};

// An NxM DXF file has a point for every cell, so "No polys for black pixels" is off and
// disabled with it.
bool BlackHolesEnabled(const MeshSettings& settings);
// "Longitude lines" and "Latitude lines" only matter to the wireframe style.
bool LineSwitchesEnabled(const MeshSettings& settings);

// Holds BlackHoles to the format: NxM DXF clears it. True when it was cleared, so that the
// mesh is rebuilt. Applied on a format choice, when the dialog opens and after a settings
// file, so the box is never disabled and ticked at once.
bool ApplyFormatRule(MeshSettings& settings);

// A selection in the "Format:" list: DiskFormat, then the format rule. False (nothing
// changed) for an index outside the list.
struct FormatChoice {
    bool accepted;
    bool blackHolesCleared;
};
FormatChoice ChooseFormat(MeshSettings& settings, int index);

// A selection in the "Resolution:" list; false, nothing changed, outside the list.
bool ChooseResolution(MeshSettings& settings, int index);

// A selection in the "View:" list sets the preset's angles (zoom and centre stay); false,
// nothing changed, outside the list.
bool ChooseViewPreset(MeshSettings& settings, int index);
