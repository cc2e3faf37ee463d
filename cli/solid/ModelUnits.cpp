#include "cli/solid/ModelUnits.h"

namespace {

// White stands this far above black, in units of MapAlt * ModelScale (levels 0..255 of 256).
constexpr double kReliefShare = 255.0 / 256.0;

} // namespace

std::optional<std::string> ApplyModelUnits(std::optional<float> widthMm,
                                           std::optional<float> reliefMm, GridSize grid,
                                           MeshSettings& s) {
    double scale = s.ModelScale;
    if (widthMm && s.Meshtype == kRectangular && grid.cols > 1) {
        // Columns are ModelScale * 100 / cols apart.
        scale = *widthMm * static_cast<double>(grid.cols) / (100.0 * (grid.cols - 1));
    } else if (widthMm && s.Meshtype != kRectangular) {
        // The diameter of white is 2 * (RadOff + MapAlt * 255 / 256) * ModelScale.
        if (reliefMm) {
            if (*reliefMm >= *widthMm / 2)
                return "--relief must be less than half of --width for a round mesh";
            scale = (*widthMm / 2.0 - *reliefMm) / s.RadOff;
        } else {
            scale = *widthMm / (2.0 * (s.RadOff + s.MapAlt * kReliefShare));
        }
    }
    s.ModelScale = static_cast<float>(scale);
    if (reliefMm)
        s.MapAlt = static_cast<float>(*reliefMm / (kReliefShare * scale));
    return std::nullopt;
}
