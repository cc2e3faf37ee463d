// The most a mesh file can take, known before it is begun, against the files the writers
// make of random pictures and settings: never smaller, and exact for the binary formats when
// every cell is a quad.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plugin/mesh/PointRows.h"
#include "tests/plugin/export/ExportHarness.h"

namespace {

float AnyOf(std::mt19937& rng, std::initializer_list<float> values) {
    return *(values.begin() + rng() % values.size());
}

MeshSettings RandomSettings(std::mt19937& rng, int round) {
    MeshSettings s = DefaultSettings(round % 3, 1 + static_cast<int>(rng() % 8));
    // The limits' ends make the widest numbers.
    s.MapAlt = AnyOf(rng, {0.1f, 1.0f, 25.0f, 333.3f, 500.0f});
    s.ModelScale = AnyOf(rng, {0.1f, 1.0f, 7.5f, 500.0f});
    s.RadOff = AnyOf(rng, {0.1f, 20.0f, 500.0f});
    s.CylLen = AnyOf(rng, {1.0f, 100.0f, 500.0f});
    s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
    return s;
}

TEST(FileSizeBound, NoFileIsLargerThanItsBoundAndBinaryOnesOfQuadsAreExact) {
    std::mt19937 rng(23);
    int written = 0;
    for (int round = 0; round < 120; ++round) {
        const auto rows = static_cast<std::uint16_t>(1 + rng() % 40);
        const auto cols = static_cast<std::uint16_t>(1 + rng() % 40);
        const int blackOneIn = round % 4 == 0 ? 0 : 5;
        TestMesh mesh(rows, cols, RandomGrays(std::size_t{rows} * cols, rng, blackOneIn),
                      RandomSettings(rng, round));
        // Rectangular cells never lose a corner unless a hole takes it.
        const bool allQuads = mesh.settings.Meshtype == kRectangular &&
                              (!mesh.settings.BlackHoles || blackOneIn == 0);
        for (std::int32_t format = kNxmDxf; format <= kLwo; ++format) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", format " << format);
            mesh.mesh.Remake(); // the last export turned the heights over
            mesh.settings.DiskFormat = format;
            const std::uint64_t bound = MeshFileSizeBound(mesh.settings);
            MemoryOutputFile file;
            RecordingMessages messages;
            RecordingProgress progress;
            if (ExportTo(mesh, format, file, "mesh.out", messages, progress) !=
                ExportOutcome::Written)
                continue; // refused by the format's limits
            ++written;
            EXPECT_LE(file.bytes.size(), bound);
            if (allQuads && format >= kTds) {
                EXPECT_EQ(file.bytes.size(), bound);
            }
        }
    }
    EXPECT_GT(written, 500);
}

TEST(FileSizeBound, PointReachHoldsEveryPoint) {
    std::mt19937 rng(24);
    for (int round = 0; round < 150; ++round) {
        const auto rows = static_cast<std::uint16_t>(1 + rng() % 60);
        const auto cols = static_cast<std::uint16_t>(1 + rng() % 60);
        TestMesh mesh(rows, cols, RandomGrays(std::size_t{rows} * cols, rng, 3, 255),
                      RandomSettings(rng, round));
        const double reach = PointReach(mesh.settings);
        // Within a hundredth of the reach: the bound is no looser than it needs to be.
        const bool turnedOver = mesh.settings.Meshtype == kRectangular;
        double farthest = 0;
        for (std::size_t i = 0; i < mesh.Points(); ++i) {
            const float z = mesh.buffers.pointZ[i];
            const float exported = turnedOver ? TurnedOver(ExportTop(mesh.settings), z) : z;
            for (const float v : {mesh.buffers.pointX[i], mesh.buffers.pointY[i], z, exported})
                farthest = std::max(farthest, std::fabs(double{v}));
        }
        EXPECT_LE(farthest, reach) << "round " << round;
        EXPECT_GT(farthest, reach / 4) << "round " << round;
    }
}

} // namespace
