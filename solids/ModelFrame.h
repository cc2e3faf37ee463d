#pragma once
// The axes and place of a triangle file's model. The mesh is made in the plug-in's own
// coordinates (a flat relief over x and y with z up; a tube or globe about the y axis, its
// columns running clockwise seen from +y, so that the picture reads mirrored from outside).
// A triangle file takes them through a signed permutation of the axes, exact in floating
// point, then an offset that places the model.
//
// Axes of the files (see the README): Z is up in STL, PLY and 3MF, and in every solid (as
// slicers take them); an open OBJ surface has Y up, as modelling programs and renderers hold
// OBJ files. A flat relief faces up with the picture's top row away from the viewer in
// front (+Y in a Z-up file); a tube or globe stands on its axis with the picture's top row
// at the top, its columns running counter-clockwise seen from above so that the picture
// reads left to right from outside, the middle column facing the front (-Y) and the seam at
// the back. Mirrored, the columns run the other way (reading right from inside) and a flat
// relief reads right from below.

#include <array>
#include <cstdint>

#include "solids/TriangleSource.h"

// A signed permutation of the three axes: output axis i is input axis from[i], negated
// where negate[i].
class AxisMap {
  public:
    constexpr AxisMap() = default;
    constexpr AxisMap(std::array<std::uint8_t, 3> from, std::array<bool, 3> negate)
        : from_(from), negate_(negate) {}

    Vertex Apply(const Vertex& v) const {
        const float in[3] = {v.x, v.y, v.z};
        float out[3];
        for (int i = 0; i < 3; ++i)
            out[i] = negate_[i] ? -in[from_[i]] : in[from_[i]];
        return {out[0], out[1], out[2]};
    }
    // The input axis output axis i takes, and the factor (1 or -1) it is taken with.
    std::uint8_t From(int i) const { return from_[i]; }
    float Sign(int i) const { return negate_[i] ? -1.0f : 1.0f; }
    // This map, then next.
    AxisMap Then(const AxisMap& next) const;
    // Whether the map turns the model into its mirror image, so that every triangle's
    // winding must be reversed to keep facing outward.
    bool Reflects() const;

  private:
    std::array<std::uint8_t, 3> from_{0, 1, 2};
    std::array<bool, 3> negate_{};
};

enum class UpAxis { kZ, kY };

// Where a model is placed in its Z-up frame: where the mesh was made, with its bounding box
// centred on x = y = 0 and its bottom on z = 0, or with the box's lowest corner at the
// origin.
enum class ModelOrigin { kAsMade, kCenter, kCorner };

// From the plug-in's coordinates of a mesh of meshType to the Z-up frame described above;
// with mirror, the picture reads right from inside (round) or from below (flat).
AxisMap ZUpAxes(std::int32_t meshType, bool mirror);

// Z up to Y up, turning the model about the x axis: (x, y, z) -> (x, z, -y).
inline constexpr AxisMap kYUpFromZUp({0, 2, 1}, {false, false, true});

struct ModelFrame {
    AxisMap axes;
    Vertex offset{0, 0, 0}; // added after the axes are mapped

    // Unplaced points keep their bits (-0 stays -0), as the classic formats have them.
    bool Placed() const { return offset.x != 0 || offset.y != 0 || offset.z != 0; }
    Vertex Apply(const Vertex& v) const {
        const Vertex a = axes.Apply(v);
        if (!Placed())
            return a;
        return {a.x + offset.x, a.y + offset.y, a.z + offset.z};
    }
    // count points given as x, y and z arrays into out, as Apply would.
    void ApplyAll(const float* x, const float* y, const float* z, std::size_t count,
                  Vertex* out) const;
};
