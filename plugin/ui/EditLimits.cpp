#include "plugin/ui/EditLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool InTenths(LengthField field) {
    return field == LengthField::ModelScale || field == LengthField::RadOff;
}

} // namespace

const LengthLimits& LimitsOf(LengthField field) {
    switch (field) {
    case LengthField::MapAlt:
        return kMapAltLimits;
    case LengthField::ModelScale:
        return kModelScaleLimits;
    case LengthField::RadOff:
        return kRadOffLimits;
    case LengthField::CylLen:
        break;
    }
    return kCylLenLimits;
}

float& ParameterOf(LengthField field, MeshSettings& settings) {
    switch (field) {
    case LengthField::MapAlt:
        return settings.MapAlt;
    case LengthField::ModelScale:
        return settings.ModelScale;
    case LengthField::RadOff:
        return settings.RadOff;
    case LengthField::CylLen:
        break;
    }
    return settings.CylLen;
}

EditCommit CommitEditText(LengthField field, std::string_view text, float previous) {
    char buffer[kEditTextLimit + 1] = {};
    text.copy(buffer, kEditTextLimit);
    char* end = buffer;
    const float scanned = std::strtof(buffer, &end);
    // A text the scan cannot read would leave an undefined value: keep what was there.
    if (end == buffer || !std::isfinite(scanned))
        return {previous, false};
    const LengthLimits& limits = LimitsOf(field);
    const float value = std::clamp(scanned, limits.low, limits.high);
    return {value, value != scanned && field == LengthField::MapAlt};
}

std::string ParameterText(float value) {
    // "-" + 39 integer digits of the largest float + ".000" + NUL fit with room to spare.
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    return text;
}

std::uint16_t SliderMaximum(LengthField field) {
    return InTenths(field) ? 5000 : 500;
}

std::uint16_t SliderValueOf(LengthField field, float parameter) {
    const float value = InTenths(field) ? parameter * 10.0f : parameter;
    // The lengths are checked where they enter; anything else still maps into the range.
    if (!(value >= 0.0f))
        return 0;
    return static_cast<std::uint16_t>(std::min(value, 65535.0f));
}

float ParameterOfSliderValue(LengthField field, std::uint16_t value) {
    return InTenths(field) ? static_cast<float>(value) / 10.0f : static_cast<float>(value);
}
