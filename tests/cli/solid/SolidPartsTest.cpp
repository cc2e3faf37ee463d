// The parts that close a solid, built from rims of any number of vertices (as a simplified
// surface would leave them), and the axis maps that turn a model to a file's axes.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "solids/ModelFrame.h"
#include "solids/SolidParts.h"
#include "tests/cli/solid/SolidTestSupport.h"

using namespace solidtest;

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// count vertices at radius and height y, round the y axis in the plug-in's order (from +z
// towards -x), from a random angle on, each moved at random within its share of the turn.
std::vector<Vertex> RandomCircle(std::mt19937& rng, std::size_t count, double radius, double y) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double start = kTwoPi * unit(rng), share = kTwoPi / count;
    std::vector<Vertex> points;
    for (std::size_t k = 0; k < count; ++k) {
        const double a = start + share * (k + 0.8 * unit(rng));
        points.push_back({static_cast<float>(-radius * std::sin(a)), static_cast<float>(y),
                          static_cast<float>(radius * std::cos(a))});
    }
    return points;
}

CollectedMesh Collected(const SolidParts& parts) {
    return {parts.vertices, parts.triangles, parts.corners};
}

// The surface, then the parts that close it (numbered after it).
CollectedMesh Closed(const SolidParts& surface, const SolidParts& closing) {
    CollectedMesh mesh = Collected(surface);
    const CollectedMesh more = Collected(closing);
    mesh.vertices.insert(mesh.vertices.end(), more.vertices.begin(), more.vertices.end());
    mesh.triangles.insert(mesh.triangles.end(), more.triangles.begin(), more.triangles.end());
    mesh.corners.insert(mesh.corners.end(), more.corners.begin(), more.corners.end());
    return mesh;
}

// The index the closing parts of surface start from.
std::uint32_t After(const SolidParts& surface) {
    return surface.firstVertex + static_cast<std::uint32_t>(surface.vertices.size());
}

TEST(ZipRings, ClosesABarrelOfRingsOfAnySize) {
    std::mt19937 rng(31);
    for (int round = 0; round < 200; ++round) {
        SolidParts parts;
        const Ring north{parts.AddVertex({0, 3, 0})};
        const Ring upper = parts.AddRing(RandomCircle(rng, 3 + rng() % 40, 2, 1));
        const Ring lower = parts.AddRing(RandomCircle(rng, 3 + rng() % 40, 2.5, -1));
        const Ring south{parts.AddVertex({0, -3, 0})};
        ZipRings(north, upper, parts);
        ZipRings(upper, lower, parts);
        ZipRings(lower, south, parts);
        EXPECT_EQ(parts.triangles.size(), 2 * (upper.size() + lower.size()));
        // Joined from north to south it faces inward, as a hollow globe's inside does.
        EXPECT_LT(ExpectClosedAndOriented(Collected(parts)), 0) << round;
    }
}

TEST(SolidParts, FollowRimsWithFewerVertices) {
    std::mt19937 rng(32);
    for (int round = 0; round < 100; ++round) {
        // A tube's outside reduced to one band between rims of any size.
        {
            SolidParts parts;
            const Ring top = parts.AddRing(RandomCircle(rng, 3 + rng() % 30, 10, 5));
            const Ring bottom = parts.AddRing(RandomCircle(rng, 3 + rng() % 30, 10, -5));
            ZipRings(bottom, top, parts);
            const SolidParts closing =
                TubeParts(top, bottom, 9.0 - 0.1 * (rng() % 50), After(parts));
            EXPECT_GT(ExpectClosedAndOriented(Closed(parts, closing)), 0) << "tube " << round;
        }
        // A globe's outside reduced to its pole, its middle and the opening's rim.
        {
            SolidParts parts;
            const Ring pole{parts.AddVertex({0, 10, 0})};
            const Ring middle = parts.AddRing(RandomCircle(rng, 12 + rng() % 30, 10, 0));
            // South of the middle, above the opening's plane.
            const double phi = 2.0 + 0.0075 * (rng() % 40);
            const Ring rim = parts.AddRing(
                RandomCircle(rng, 12 + rng() % 30, 10 * std::sin(phi), 10 * std::cos(phi)));
            ZipRings(middle, pole, parts);
            ZipRings(rim, middle, parts);
            const ShellShape shell{8.0, 24, 0.2, true, -7.0};
            const SolidParts closing = ShellParts(shell, rim, After(parts));
            EXPECT_GT(ExpectClosedAndOriented(Closed(parts, closing)), 0) << "globe " << round;
        }
    }
}

// Every signed permutation of the axes, as a matrix and as a map.
std::vector<AxisMap> EveryAxisMap(std::vector<int>* determinants) {
    std::vector<AxisMap> maps;
    std::array<std::uint8_t, 3> from{0, 1, 2};
    do {
        for (int signs = 0; signs < 8; ++signs) {
            const std::array<bool, 3> negate{(signs & 1) != 0, (signs & 2) != 0, (signs & 4) != 0};
            maps.emplace_back(from, negate);
            int m[3][3] = {};
            for (int i = 0; i < 3; ++i)
                m[i][from[i]] = negate[i] ? -1 : 1;
            determinants->push_back(m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                                    m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                                    m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]));
        }
    } while (std::next_permutation(from.begin(), from.end()));
    return maps;
}

TEST(AxisMap, ReflectsExactlyWhenItsDeterminantIsNegativeAndComposesInOrder) {
    std::vector<int> determinants;
    const std::vector<AxisMap> maps = EveryAxisMap(&determinants);
    ASSERT_EQ(maps.size(), 48u);
    const Vertex v{1.5f, -2.25f, 7.0f};
    for (std::size_t i = 0; i < maps.size(); ++i) {
        EXPECT_EQ(maps[i].Reflects(), determinants[i] < 0) << i;
        for (const AxisMap& next : maps) {
            const Vertex once = maps[i].Then(next).Apply(v), twice = next.Apply(maps[i].Apply(v));
            EXPECT_TRUE(once.x == twice.x && once.y == twice.y && once.z == twice.z);
        }
    }
    // The files' frames: a round mesh's y axis stands up; the mirror alone reflects.
    for (const std::int32_t type : {kRectangular, kCylindrical, kSpherical})
        for (const bool mirror : {false, true}) {
            const AxisMap zUp = ZUpAxes(type, mirror);
            const Vertex up = zUp.Apply({0, 1, 0});
            EXPECT_EQ(up.z, type == kRectangular ? 0.0f : 1.0f);
            EXPECT_FALSE(kYUpFromZUp.Reflects());
        }
}

} // namespace
