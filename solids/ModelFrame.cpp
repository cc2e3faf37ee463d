#include "solids/ModelFrame.h"

#include "plugin/run/MeshSettings.h"

AxisMap AxisMap::Then(const AxisMap& next) const {
    std::array<std::uint8_t, 3> from{};
    std::array<bool, 3> negate{};
    for (int i = 0; i < 3; ++i) {
        from[i] = from_[next.from_[i]];
        negate[i] = negate_[next.from_[i]] != next.negate_[i];
    }
    return AxisMap(from, negate);
}

bool AxisMap::Reflects() const {
    // A permutation's parity (odd when exactly one axis stays in place, or none moves as
    // a 3-cycle would not) together with the number of negated axes.
    int fixed = 0;
    for (std::uint8_t i = 0; i < 3; ++i)
        fixed += from_[i] == i;
    const bool oddPermutation = fixed == 1;
    const bool oddNegations = (negate_[0] != negate_[1]) != negate_[2];
    return oddPermutation != oddNegations;
}

AxisMap ZUpAxes(std::int32_t meshType, bool mirror) {
    if (meshType != kCylindrical && meshType != kSpherical)
        // Already z up, reading right from above; mirrored it reads right from below.
        return AxisMap({0, 1, 2}, {mirror, false, false});
    // The plug-in's y axis becomes z. Swapping y and z alone reflects the model, which is
    // what turns the plug-in's clockwise columns counter-clockwise seen from above; the
    // mirror keeps the plug-in's own handedness, turned upright.
    return AxisMap({0, 2, 1}, {mirror, false, false});
}

void ModelFrame::ApplyAll(const float* x, const float* y, const float* z, std::size_t count,
                          Vertex* out) const {
    const float* const in[3] = {x, y, z};
    const float *a = in[axes.From(0)], *b = in[axes.From(1)], *c = in[axes.From(2)];
    // A product with 1 or -1 is exact, so this is Apply's arithmetic, in a loop that takes
    // whole rows at a time.
    const float sa = axes.Sign(0), sb = axes.Sign(1), sc = axes.Sign(2);
    if (!Placed()) {
        for (std::size_t i = 0; i < count; ++i)
            out[i] = {sa * a[i], sb * b[i], sc * c[i]};
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        out[i] = {sa * a[i] + offset.x, sb * b[i] + offset.y, sc * c[i] + offset.z};
}
