// Sizes in millimetres: the X extent and the relief the options ask for, read back from the
// mesh's own points.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "simplified/StreamMeshSource.h"
#include "solids/ModelUnits.h"
#include "tests/support/TestMesh.h"

namespace {

struct Span {
    float low = 1e30f, high = -1e30f;
    void Add(float v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    float Size() const { return high - low; }
};

struct Spans {
    Span x, z;
};

// A picture black on its left half and white on its right, as the tool meshes it.
Spans MeasureBlackAndWhite(MeshSettings s, std::uint16_t rows, std::uint16_t cols,
                           std::optional<float> width, std::optional<float> relief) {
    std::vector<std::uint8_t> gray(std::size_t{rows} * cols);
    for (std::size_t i = 0; i < gray.size(); ++i)
        gray[i] = i % cols < cols / 2u ? 0 : 255;
    s.imagePixels = gray.data();
    s.imageRowBytes = cols;
    s.imageRows = rows;
    s.imageCols = cols;
    EXPECT_FALSE(ApplyModelUnits({width, relief, {}}, SampledGridSize(rows, cols, s.MeshRes), s));
    StreamMeshSource source(s);
    Spans spans;
    source.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        for (std::uint32_t c = 0; c < PointsPerRow(s); ++c) {
            spans.x.Add(row.x[c]);
            spans.z.Add(row.z[c]);
        }
    });
    return spans;
}

TEST(ModelUnits, RectangularWidthAndReliefAreWhatWasAsked) {
    std::mt19937 rng(5);
    for (int round = 0; round < 20; ++round) {
        const auto rows = static_cast<std::uint16_t>(2 + rng() % 60);
        const auto cols = static_cast<std::uint16_t>(4 + rng() % 60);
        const float width = 10.0f + static_cast<float>(rng() % 2000) / 10;
        const float relief = 0.5f + static_cast<float>(rng() % 100) / 10;
        const Spans spans =
            MeasureBlackAndWhite(DefaultSettings(kRectangular), rows, cols, width, relief);
        EXPECT_NEAR(spans.x.Size(), width, 1e-4f * width);
        EXPECT_NEAR(spans.z.Size(), relief, 1e-4f * width);
        // Without them, the plug-in's units.
        const Spans plain = MeasureBlackAndWhite(DefaultSettings(kRectangular), rows, cols, {}, {});
        EXPECT_NEAR(plain.x.Size(), 100.0f * (cols - 1) / cols, 1e-3f);
    }
}

TEST(ModelUnits, RoundWidthIsTheDiameterOfWhite) {
    for (const std::int32_t type : {kCylindrical, kSpherical}) {
        MeshSettings s = DefaultSettings(type);
        // An odd number of rows puts one on the sphere's equator.
        std::vector<std::uint8_t> white(65 * 64, 255);
        s.imagePixels = white.data();
        s.imageRowBytes = 64;
        s.imageRows = 65;
        s.imageCols = 64;
        ASSERT_FALSE(ApplyModelUnits({80.0f, 3.0f, {}}, SampledGridSize(65, 64, 1), s));
        StreamMeshSource source(s);
        Span x;
        source.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
            for (std::uint32_t c = 0; c < PointsPerRow(s); ++c)
                x.Add(row.x[c]);
        });
        EXPECT_NEAR(x.Size(), 80.0f, 0.01f);
        EXPECT_NEAR(s.MapAlt * s.ModelScale * 255 / 256, 3.0f, 1e-4f);
        EXPECT_TRUE(ApplyModelUnits({20.0f, 10.0f, {}}, SampledGridSize(64, 64, 1), s));
    }
}

// The tube's rows span from first to last as far as its columns go round halfway between
// black and white, or --height.
TEST(ModelUnits, ATubeKeepsThePicturesProportionsOrTakesItsHeight) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        const auto rows = static_cast<std::uint16_t>(2 + rng() % 80);
        const auto cols = static_cast<std::uint16_t>(3 + rng() % 80);
        std::vector<std::uint8_t> gray(std::size_t{rows} * cols);
        for (auto& g : gray)
            g = static_cast<std::uint8_t>(rng() % 256);
        MeshSettings s = DefaultSettings(kCylindrical);
        s.imagePixels = gray.data();
        s.imageRowBytes = cols;
        s.imageRows = rows;
        s.imageCols = cols;
        const std::optional<float> width =
            round % 2 ? std::optional<float>(20.0f + static_cast<float>(rng() % 100))
                      : std::nullopt;
        const std::optional<float> height =
            round % 3 == 0 ? std::optional<float>(5.0f + static_cast<float>(rng() % 300))
                           : std::nullopt;
        ASSERT_FALSE(ApplyModelUnits({width, 2.0f, height}, SampledGridSize(rows, cols, 1), s));
        StreamMeshSource source(s);
        Span y;
        source.ForEachPointRow([&](std::uint32_t, const PointRow& row) { y.Add(row.y[0]); });
        const double middle = (s.RadOff + s.MapAlt * 127.5 / 256) * s.ModelScale;
        const double expected =
            height ? *height : 2 * 3.14159265358979 * middle * (rows - 1) / cols;
        EXPECT_NEAR(y.Size(), expected, 1e-4 * expected) << rows << " x " << cols;
    }
}

} // namespace
