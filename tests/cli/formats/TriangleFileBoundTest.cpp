// The most a triangle file can take, known before it is begun, against the files written
// from random meshes of widely different magnitudes: never smaller; exact for binary STL and
// PLY.
#include <gtest/gtest.h>

#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/MemoryOutputFile.h"
#include "tool/CliOptions.h"
#include "triangles/TriangleFile.h"

namespace {

TEST(TriangleFileBound, NoFileIsLargerThanItsBound) {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const std::size_t vertices = 3 + seed * 37 % 400, triangles = 1 + seed * 53 % 700;
        VectorTriangleSource source =
            RandomMesh(seed, vertices, triangles, 64, false, static_cast<int>(seed * 2));
        for (const auto& [format, ascii] :
             {std::pair{kStl, false}, std::pair{kStl, true}, std::pair{kObj, false},
              std::pair{kPly, false}, std::pair{kThreeMf, false}}) {
            SCOPED_TRACE(testing::Message()
                         << "seed " << seed << ", format " << format << (ascii ? " text" : ""));
            const std::uint64_t bound = TriangleFileSizeBound(format, ascii, source);
            MemoryOutputFile file;
            const StepResult failed = WriteTriangleFileTo(file, "mesh", format, ascii, source);
            ASSERT_FALSE(failed) << failed->message;
            EXPECT_LE(file.bytes.size(), bound);
            if ((format == kStl && !ascii) || format == kPly) {
                EXPECT_EQ(file.bytes.size(), bound);
            }
        }
    }
}

} // namespace
