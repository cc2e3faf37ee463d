// How a triangle file fails: too large for its format before anything is created, and a
// failed write that leaves nothing behind.

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MemoryOutputFile.h"
#include "tests/support/TempFolder.h"
#include "tool/CliOptions.h"
#include "triangles/TriangleFile.h"

namespace {

// Claims counts beyond what the formats hold (or short of it); the passes must never run.
class HugeSource final : public TriangleSource {
  public:
    explicit HugeSource(TriangleCounts counts) : counts_(counts) {}
    TriangleCounts Count() override { return counts_; }
    void ForEachVertexBlock(const VertexBlockVisit&) override { ADD_FAILURE(); }
    void ForEachTriangleBlock(bool, const TriangleBlockVisit&) override { ADD_FAILURE(); }

  private:
    TriangleCounts counts_;
};

TEST(TriangleFailure, CountsBeyondTheFormatAreRefusedBeforeAnyFile) {
    TempFolder dir;
    const std::uint64_t beyond = std::uint64_t{1} << 32;
    const struct {
        std::int32_t format;
        bool ascii;
        TriangleCounts counts;
    } cases[] = {{kStl, false, {3, beyond}},
                 {kPly, false, {beyond, 1}},
                 {kPly, false, {3, beyond}},
                 {kThreeMf, false, {beyond, 1}},
                 {kThreeMf, false, {3, 0}}};
    for (const auto& c : cases) {
        HugeSource source(c.counts);
        const std::string path = dir.File("huge");
        const StepResult result = WriteTriangleFile(path, c.format, c.ascii, source);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->exitCode, kExitFormat);
        EXPECT_NE(result->message.find(path), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(TriangleFailure, UnwritableFolderGivesExit4WithTheReason) {
    TempFolder dir;
    VectorTriangleSource source = RandomMesh(71, 10, 10, 4);
    for (const std::int32_t format : {kStl, kObj, kPly, kThreeMf}) {
        const std::string path = dir.File("missing/mesh.out");
        const StepResult result = WriteTriangleFile(path, format, false, source);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->exitCode, kExitOutput);
        EXPECT_NE(result->message.find("(No such file or directory)"), std::string::npos)
            << result->message;
        EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
    }
}

TEST(TriangleFailure, FailedWriteIsDiscardedAndReported) {
    // Large enough for several buffers, so that the write fails half-way.
    VectorTriangleSource source = RandomMesh(72, 20000, 40000, 1000);
    for (const std::int32_t format : {kStl, kObj, kPly, kThreeMf}) {
        for (const bool failClose : {false, true}) {
            MemoryOutputFile file;
            file.failAtWrite = failClose ? 0 : 2;
            file.failClose = failClose;
            const StepResult result = WriteTriangleFileTo(file, "mesh", format, false, source);
            ASSERT_TRUE(result);
            EXPECT_EQ(result->exitCode, kExitOutput);
            EXPECT_NE(result->message.find("Problem Writing File!"), std::string::npos);
            EXPECT_TRUE(file.discarded);
        }
    }
}

// Writes the file in a child process whose file size limit (as `ulimit -f` sets it) stops
// the write half-way; the child's exit code is the step's.
int ExitCodeWithSizeLimit(const std::string& path, std::int32_t format, TriangleSource& source) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const StepResult result = WriteTriangleFile(path, format, false, source);
        _exit(result ? result->exitCode : 0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

TEST(TriangleFailure, AnExistingFileStaysAsItWasWhenTheWriteFails) {
    TempFolder dir;
    const std::string path = dir.File("kept.mesh");
    const std::vector<std::uint8_t> before{'o', 'l', 'd'};
    VectorTriangleSource source = RandomMesh(73, 2000, 4000, 100);
    for (const std::int32_t format : {kStl, kObj, kPly, kThreeMf}) {
        WriteBytes(path, before);
        EXPECT_EQ(ExitCodeWithSizeLimit(path, format, source), kExitOutput);
        EXPECT_EQ(ReadBytes(path), before);
        // Nothing of the failed write is left beside it.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

} // namespace
