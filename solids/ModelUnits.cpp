#include "solids/ModelUnits.h"

#include <numbers>

namespace {

// White stands this far above black, in units of MapAlt * ModelScale (levels 0..255 of 256).
constexpr double kReliefShare = 255.0 / 256.0;
// Halfway between black and white, where a tube's cells are made square.
constexpr double kMiddleGray = 127.5 / 256.0;

} // namespace

std::optional<std::string> ApplyModelUnits(const ModelSize& size, GridSize grid, MeshSettings& s) {
    double scale = s.ModelScale;
    if (size.widthMm && s.Meshtype == kRectangular && grid.cols > 1) {
        // Columns are ModelScale * 100 / cols apart.
        scale = *size.widthMm * static_cast<double>(grid.cols) / (100.0 * (grid.cols - 1));
    } else if (size.widthMm && s.Meshtype != kRectangular) {
        // The diameter of white is 2 * (RadOff + MapAlt * 255 / 256) * ModelScale.
        if (size.reliefMm) {
            if (*size.reliefMm >= *size.widthMm / 2)
                return "--relief must be less than half of --width for a round mesh";
            scale = (*size.widthMm / 2.0 - *size.reliefMm) / s.RadOff;
        } else {
            scale = *size.widthMm / (2.0 * (s.RadOff + s.MapAlt * kReliefShare));
        }
    }
    s.ModelScale = static_cast<float>(scale);
    if (size.reliefMm)
        s.MapAlt = static_cast<float>(*size.reliefMm / (kReliefShare * scale));
    if (s.Meshtype == kCylindrical && grid.rows > 1) {
        // Rows are ModelScale * CylLen / rows apart.
        const double rowsApart = (grid.rows - 1.0) / grid.rows;
        double length = 0;
        if (size.heightMm) {
            length = *size.heightMm;
        } else {
            const double middle = (s.RadOff + double{s.MapAlt} * kMiddleGray) * scale;
            length = 2 * std::numbers::pi * middle * (grid.rows - 1.0) / grid.cols;
        }
        s.CylLen = static_cast<float>(length / (scale * rowsApart));
    }
    return std::nullopt;
}
