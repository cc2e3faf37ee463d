#pragma once
// The filter dialog's four lengths: how an edit box's text becomes a parameter, how a
// parameter is shown, and how it maps to its slider's value.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/run/MeshSettings.h"
#include "plugin/run/SettingsRules.h"

enum class LengthField { MapAlt, ModelScale, RadOff, CylLen };

// The edit box's limits (kMapAltLimits and its kin) and the field of MeshSettings it edits.
const LengthLimits& LimitsOf(LengthField field);
float& ParameterOf(LengthField field, MeshSettings& settings);

// The edit box gives up at most this many characters when it is read.
inline constexpr std::size_t kEditTextLimit = 7;

struct EditCommit {
    float value;
    bool beep; // only Map Altitude warns when its value is held to a limit
};

// What an edit box's text commits: the number the text starts with, held to the field's
// limits. Text that is not a number, or is "nan" or "inf", keeps previous (no beep). Only
// the first kEditTextLimit characters are read.
EditCommit CommitEditText(LengthField field, std::string_view text, float previous);

// The parameter as the edit box shows it, "%.3f". Every float fits (no truncation); the
// dialog's checked lengths take at most 7 characters ("500.000").
std::string ParameterText(float value);

// The sliders run from 1 to SliderMaximum on a logarithmic scale; Model Scale and Radial
// Offset in tenths. The slider value is the parameter (times 10) truncated, and a slider
// value gives the parameter back (divided by 10).
std::uint16_t SliderMaximum(LengthField field);
std::uint16_t SliderValueOf(LengthField field, float parameter);
float ParameterOfSliderValue(LengthField field, std::uint16_t value);
