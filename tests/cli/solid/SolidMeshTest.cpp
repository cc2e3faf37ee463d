// Closed solids of random pictures, checked as a slicer would see them: vertices welded by
// position, every edge used once in each direction, the volume positive and equal to the
// volume worked out from the gray levels alone (flat reliefs, tubes and globes of one gray).

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "plugin/mesh/SampleGrayGrid.h"
#include "tests/cli/solid/SolidTestSupport.h"
#include "tests/support/TestMesh.h"

using namespace solidtest;

namespace {

constexpr double kPi = std::numbers::pi;

// The volume between the triangulated height field and a base `base` below its lowest point,
// from the gray levels: heights MapAlt * Scale * (1 + g) / 256, cells Scale * 100 / cols
// wide and split along the diagonal from top-left to bottom-right.
double HeightFieldVolume(const Picture& p, const MeshSettings& s, double base) {
    const double step = s.ModelScale * 100.0 / p.cols;
    const auto z = [&](int r, int c) {
        return s.MapAlt * s.ModelScale * (1.0 + p.gray[std::size_t(r) * p.cols + c]) / 256.0;
    };
    double lowest = 1e30;
    for (int r = 0; r < p.rows; ++r)
        for (int c = 0; c < p.cols; ++c)
            lowest = std::min(lowest, z(r, c));
    const double floor = lowest - base;
    double volume = 0;
    for (int r = 0; r + 1 < p.rows; ++r)
        for (int c = 0; c + 1 < p.cols; ++c) {
            const double tl = z(r, c), tr = z(r, c + 1), br = z(r + 1, c + 1), bl = z(r + 1, c);
            volume += step * step / 2 * ((tl + tr + br) / 3 + (br + bl + tl) / 3 - 2 * floor);
        }
    return volume;
}

ShapeOptions Solid(std::optional<float> wall, std::optional<float> opening = std::nullopt) {
    ShapeOptions options;
    options.solid = true;
    options.wallMm = wall;
    options.openingMm = opening;
    return options;
}

TEST(FlatSolid, IsClosedAndHoldsTheVolumeUnderItsHeightFieldInEveryFrame) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const Picture p = RandomPicture(rng, 40, false);
        MeshSettings s = WithPicture(DefaultSettings(kRectangular), p);
        s.MapAlt = 1.0f + static_cast<float>(rng() % 500) / 10;
        s.ModelScale = 0.5f + static_cast<float>(rng() % 30) / 10;
        const float base = 0.25f * static_cast<float>(1 + rng() % 12);
        ShapeOptions options = Solid(base);
        options.mirror = round % 2 == 1;
        options.up = round % 3 == 0 ? UpAxis::kY : UpAxis::kZ;
        const Outcome made = MakeShape(s, options);
        ASSERT_TRUE(made.made);
        ExpectCornersAreVertices(*made.made);
        const double volume = ExpectClosedAndOriented(made.made->mesh);
        const double expected = HeightFieldVolume(p, s, base);
        EXPECT_NEAR(volume, expected, 1e-3 * expected) << p.rows << " x " << p.cols;
    }
}

TEST(RoundSolids, TubesBallsAndHollowGlobesAreClosedWithTheirNormalsOutward) {
    std::mt19937 rng(12);
    int made[4] = {};
    for (int round = 0; round < 120; ++round) {
        const int kind = round % 4; // tube, ball, hollow globe, hollow globe with an opening
        // A hollow globe's facets must be shallower than its wall: not too coarse a grid.
        Picture p = RandomPicture(rng, 36, false);
        while (kind >= 2 && std::min(p.rows, p.cols) < 16)
            p = RandomPicture(rng, 36, false);
        MeshSettings s = WithPicture(
            DefaultSettings(kind == 0 ? kCylindrical : kSpherical, 1 + static_cast<int>(rng() % 2)),
            p);
        s.RadOff = 5.0f + static_cast<float>(rng() % 300) / 10;
        const float wall = 0.2f + static_cast<float>(rng() % 40) / 10;
        const float opening = 2.0f * (1 + static_cast<float>(rng() % 20));
        ShapeOptions options = Solid(kind == 1 ? std::nullopt : std::optional<float>(wall),
                                     kind == 3 ? std::optional<float>(opening) : std::nullopt);
        options.mirror = rng() % 2 == 1;
        options.up = rng() % 2 ? UpAxis::kY : UpAxis::kZ;
        const GridSize g = SampledGridSize(p.rows, p.cols, s.MeshRes);
        const GridMinimum least = SmallestGrid(s.Meshtype);
        if (g.rows < least.rows || g.cols < least.cols)
            continue;
        const Outcome outcome = MakeShape(s, options);
        if (!outcome.made) {
            // Only a hollow globe's wall or opening may be refused: the tubes' walls fit.
            ASSERT_TRUE(outcome.refusal);
            EXPECT_GE(kind, 2) << outcome.refusal->text;
            continue;
        }
        ++made[kind];
        ExpectCornersAreVertices(*outcome.made);
        EXPECT_GT(ExpectClosedAndOriented(outcome.made->mesh), 0) << "kind " << kind;
    }
    for (const int count : made)
        EXPECT_GE(count, 10);
}

TEST(RoundSolids, OfOneGrayHoldTheVolumesOfTheirShapes) {
    constexpr std::uint16_t kSide = 120;
    const Picture p{kSide, kSide, std::vector<std::uint8_t>(kSide * kSide, 200)};
    const double radius = (200 * 25.0 / 256 + 20) * 1.0; // g * MapAlt / 256 + RadOff, scale 1

    // A tube: a prism of kSide sides less its inner wall's, as long as its rows reach.
    MeshSettings tube = WithPicture(DefaultSettings(kCylindrical), p);
    const Outcome t = MakeShape(tube, Solid(3.0f));
    ASSERT_TRUE(t.made);
    const double length = tube.CylLen * (kSide - 1.0) / kSide;
    const double sides = kSide / 2.0 * std::sin(2 * kPi / kSide);
    const double inner = radius - 3.0;
    EXPECT_NEAR(ExpectClosedAndOriented(t.made->mesh),
                sides * (radius * radius - inner * inner) * length,
                1e-4 * radius * radius * length);

    // A ball and a hollow globe: a sphere's volume, less the corners the facets cut off (no
    // more than a cell's angular span can take).
    MeshSettings globe = WithPicture(DefaultSettings(kSpherical), p);
    const double spread = std::hypot(kPi / (kSide - 1), 2 * kPi / kSide);
    const auto ball = [](double r) { return 4.0 / 3 * kPi * r * r * r; };
    const double shrink = std::pow(std::cos(spread), 3);
    const Outcome full = MakeShape(globe, Solid(std::nullopt));
    ASSERT_TRUE(full.made);
    const double fullVolume = ExpectClosedAndOriented(full.made->mesh);
    EXPECT_GE(fullVolume, shrink * ball(radius));
    EXPECT_LE(fullVolume, ball(radius));
    const Outcome hollow = MakeShape(globe, Solid(12.0f));
    ASSERT_TRUE(hollow.made);
    const double hollowVolume = ExpectClosedAndOriented(hollow.made->mesh);
    const double innerRadius = radius - 12.0;
    EXPECT_GE(hollowVolume, shrink * ball(radius) - ball(innerRadius));
    EXPECT_LE(hollowVolume, ball(radius) - shrink * ball(innerRadius));
    // An opening cuts the shell flat where the inside is as wide as the opening: the caps
    // of both spheres below that plane go (a ring under the last row kept comes back).
    const Outcome opened = MakeShape(globe, Solid(12.0f, 10.0f));
    ASSERT_TRUE(opened.made);
    const double plane = -std::sqrt(innerRadius * innerRadius - 25.0);
    const auto cap = [](double r, double h) { return kPi * h * h * (3 * r - h) / 3; };
    const double expected =
        hollowVolume - cap(radius, radius + plane) + cap(innerRadius, innerRadius + plane);
    EXPECT_NEAR(ExpectClosedAndOriented(opened.made->mesh), expected, 0.02 * expected);
}

TEST(RoundSolids, AnOpeningHasTheWidthAskedForAndAFlatRim) {
    constexpr std::uint16_t kSide = 90;
    const Picture p{kSide, kSide, std::vector<std::uint8_t>(kSide * kSide, 120)};
    const MeshSettings globe = WithPicture(DefaultSettings(kSpherical), p);
    for (const float opening : {6.0f, 20.0f, 33.0f}) {
        ShapeOptions options = Solid(2.0f, opening);
        options.origin = ModelOrigin::kCenter;
        const Outcome made = MakeShape(globe, options);
        ASSERT_TRUE(made.made);
        // On the plate (z = 0) lies a flat ring whose inner edge is the opening.
        double hole = 1e30, rim = 0;
        for (const Vertex& v : made.made->mesh.vertices) {
            ASSERT_GE(v.z, -1e-4f);
            if (v.z > 1e-4f)
                continue;
            const double r = std::hypot(double{v.x}, double{v.y});
            hole = std::min(hole, r);
            rim = std::max(rim, r);
        }
        EXPECT_NEAR(2 * hole, opening, 1e-3) << opening;
        EXPECT_GT(rim, hole + 1.0) << opening;
    }
}

TEST(SolidRefusals, NameWhatCannotClose) {
    const Picture p{5, 5, std::vector<std::uint8_t>(25, 200)};
    MeshSettings tube = WithPicture(DefaultSettings(kCylindrical), p);
    // Every radius is 200 * 25 / 256 + 1, about 20.5: a wall of 100 would pass the axis.
    tube.RadOff = 1.0f;
    EXPECT_TRUE(MakeShape(tube, Solid(1.0f)).made);
    const Outcome thick = MakeShape(tube, Solid(100.0f));
    ASSERT_TRUE(thick.refusal);
    EXPECT_EQ(thick.refusal->kind, ShapeRefusal::kWallReachesAxis);
    EXPECT_NE(thick.refusal->text.find("axis"), std::string::npos);

    const Picture fine{60, 60, std::vector<std::uint8_t>(3600, 200)};
    const MeshSettings globe = WithPicture(DefaultSettings(kSpherical), fine);
    const struct {
        MeshSettings settings;
        ShapeOptions options;
        ShapeRefusal::Kind kind;
    } refused[] = {
        {globe, Solid(45.0f), ShapeRefusal::kWallReachesAxis},
        {WithPicture(DefaultSettings(kSpherical), p), Solid(1.0f),
         ShapeRefusal::kWallThinnerThanFacets},
        {globe, Solid(1.0f, 200.0f), ShapeRefusal::kOpeningTooWide},
    };
    for (const auto& r : refused) {
        const Outcome outcome = MakeShape(r.settings, r.options);
        ASSERT_TRUE(outcome.refusal);
        EXPECT_EQ(outcome.refusal->kind, r.kind) << outcome.refusal->text;
    }
}

} // namespace
