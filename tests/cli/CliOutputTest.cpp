// What the tool leaves on disk: outputs appear whole or not at all, nothing that was there
// before a failed or interrupted run is lost, an output never overwrites an input, and
// every failure names the operating system's reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "plugin/export/StdioOutputFile.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tool/RunQuorvmesh.h"

namespace {

namespace fs = std::filesystem;
using clitest::RunResult;
using clitest::RunTool;
using Clock = std::chrono::steady_clock;

std::vector<std::string> Names(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WritePicture(const std::string& path, std::uint16_t width, std::uint16_t height) {
    clitest::WriteGrayBmp(path, width, height, clitest::GrayPattern(width, height));
}

std::vector<std::uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}

// Runs the tool in a child process set up by prepare (limits, identity), so that what it
// changes ends with the child; the child's exit code and error text come back.
template <class Prepare>
RunResult RunInChild(const std::vector<std::string>& args, Prepare prepare) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        prepare();
        const RunResult r = RunTool(args);
        const ssize_t ignored = write(channel[1], r.err.data(), r.err.size());
        (void)ignored;
        _exit(r.exitCode);
    }
    close(channel[1]);
    RunResult result;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        result.err.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

// A file size limit as `ulimit -f` sets it: writes past it fail with "File too large".
auto SizeLimit(rlim_t bytes) {
    return [bytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
}

TEST(FailedWrite, KeepsALinkItsTargetAndAnExistingFile) {
    TempFolder dir;
    WritePicture(dir.File("in.bmp"), 120, 90);
    const auto old = Text("the old contents\n");
    WriteBytes(dir.File("keep.dxf"), old);
    WriteBytes(dir.File("existing.dxf"), old);
    fs::create_symlink("keep.dxf", dir.File("link.dxf"));
    const auto before = Names(dir);

    for (const std::string out : {"link.dxf", "existing.dxf"}) {
        const auto r = RunInChild({dir.File("in.bmp"), "-o", dir.File(out), "-q"}, SizeLimit(4096));
        EXPECT_EQ(r.exitCode, 4) << out;
        EXPECT_NE(r.err.find("Problem Writing File!"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(std::strerror(EFBIG)), std::string::npos) << r.err;
        ASSERT_TRUE(fs::is_symlink(dir.File("link.dxf"))) << out;
        EXPECT_EQ(fs::read_symlink(dir.File("link.dxf")), "keep.dxf");
        EXPECT_EQ(ReadBytes(dir.File("keep.dxf")), old) << out;
        EXPECT_EQ(ReadBytes(dir.File("existing.dxf")), old) << out;
        EXPECT_EQ(Names(dir), before) << "nothing left behind by " << out;
    }
}

TEST(FailedWrite, KeepsAnExistingPreviewPicture) {
    TempFolder dir;
    WritePicture(dir.File("in.bmp"), 60, 40);
    const auto old = Text("an old picture");
    for (const std::string name : {"p.bmp", "p.png"}) {
        WriteBytes(dir.File(name), old);
        const auto before = Names(dir);
        const auto r =
            RunInChild({dir.File("in.bmp"), "--preview", dir.File(name)}, SizeLimit(1000));
        EXPECT_EQ(r.exitCode, 4) << r.err;
        EXPECT_NE(r.err.find(std::strerror(EFBIG)), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(dir.File(name)), old) << name;
        EXPECT_EQ(Names(dir), before) << name;
    }
}

// Through a link the target gets the new file, with the mode it had; a new file gets what a
// plain create gives.
TEST(Write, GoesThroughALinkAndKeepsTheTargetsMode) {
    TempFolder dir;
    WritePicture(dir.File("in.bmp"), 60, 40);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("plain.dxf"), "-q"}).exitCode, 0);
    WriteBytes(dir.File("keep.dxf"), Text("old"));
    fs::permissions(dir.File("keep.dxf"), fs::perms(0640));
    fs::create_symlink("keep.dxf", dir.File("link.dxf"));
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("link.dxf"), "-q"}).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(dir.File("link.dxf")));
    EXPECT_EQ(ReadBytes(dir.File("keep.dxf")), ReadBytes(dir.File("plain.dxf")));
    EXPECT_EQ(fs::status(dir.File("keep.dxf")).permissions(), fs::perms(0640));
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(dir.File("plain.dxf")).permissions(), fs::perms(0666 & ~mask));
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{"in.bmp", "keep.dxf", "link.dxf", "plain.dxf"}));
}

// Reads a fifo until the writer is gone, or only its first byte when stopEarly; gives up
// after a few seconds so that a writer that never comes cannot hang the test.
std::vector<std::uint8_t> ReadFifo(int fd, bool stopEarly) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    std::uint8_t buffer[65536];
    while (Clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0)
            continue;
        const ssize_t n = read(fd, buffer, stopEarly ? 1 : sizeof buffer);
        if (n > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        if (n == 0 || (n < 0 && errno != EAGAIN) || (stopEarly && n > 0))
            break;
    }
    close(fd);
    return bytes;
}

TEST(Fifo, IsWrittenInPlaceAndNeverRemoved) {
    TempFolder dir;
    WritePicture(dir.File("in.bmp"), 200, 200);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("plain.dxf"), "-q"}).exitCode, 0);
    const std::string fifo = dir.File("fifo.dxf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A reader that leaves early makes the writes fail; the pipe stays a pipe.
    const auto oldPipeAction = std::signal(SIGPIPE, SIG_IGN);
    for (const bool stopEarly : {false, true}) {
        const int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        std::vector<std::uint8_t> received;
        std::thread reader([&] { received = ReadFifo(fd, stopEarly); });
        const auto r = RunTool({dir.File("in.bmp"), "-o", fifo, "-q"});
        reader.join();
        if (stopEarly) {
            EXPECT_EQ(r.exitCode, 4);
            EXPECT_NE(r.err.find(std::strerror(EPIPE)), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(received, ReadBytes(dir.File("plain.dxf")));
        }
        EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo))) << "stopEarly " << stopEarly;
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"fifo.dxf", "in.bmp", "plain.dxf"}));
    }
    std::signal(SIGPIPE, oldPipeAction);
}

TEST(Failures, NameTheOperatingSystemsReason) {
    TempFolder dir;
    const auto missing = RunTool({"-o", dir.File("no-such-folder/x.dxf")});
    EXPECT_EQ(missing.exitCode, 4);
    EXPECT_NE(missing.err.find("Problem Creating File! (No such file or directory)"),
              std::string::npos)
        << missing.err;

    // A folder the user cannot write to (root can write anywhere: the child gives that up).
    fs::create_directory(dir.File("read-only"));
    fs::permissions(dir.File("read-only"), fs::perms(0555));
    const auto denied = RunInChild({"-o", dir.File("read-only/x.dxf")}, [] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
    });
    EXPECT_EQ(denied.exitCode, 4) << denied.err;
    EXPECT_NE(denied.err.find("Problem Creating File! (Permission denied)"), std::string::npos)
        << denied.err;
    EXPECT_TRUE(fs::is_empty(dir.File("read-only")));
    fs::permissions(dir.File("read-only"), fs::perms(0755));
}

TEST(OutputOverInput, IsRefusedAndTheInputKept) {
    TempFolder dir;
    const std::string victim = dir.File("victim.bmp");
    WritePicture(victim, 30, 20);
    const auto picture = ReadBytes(victim);
    ASSERT_EQ(
        RunTool({victim, "-o", dir.File("a.dxf"), "--save-settings", dir.File("s.stg")}).exitCode,
        0);
    const auto settings = ReadBytes(dir.File("s.stg"));
    WriteBytes(dir.File("q.ini"), Text("[QuorvMesh]\nMapAlt=20\n"));
    const auto ini = ReadBytes(dir.File("q.ini"));
    fs::create_symlink("victim.bmp", dir.File("alias.dxf"));

    const std::vector<std::vector<std::string>> cases = {
        {victim, "-o", victim, "--format", "1"},
        {victim, "-o", dir.File("alias.dxf")},
        {victim, "-o", dir.File("b.dxf"), "--save-settings", victim},
        {victim, "--preview", victim},
        {victim, "-o", dir.File("b.dxf"), "--settings", dir.File("s.stg"), "--save-settings",
         dir.File("s.stg")},
        {victim, "--ini", dir.File("q.ini"), "-o", dir.File("q.ini"), "--format", "1"},
    };
    for (const auto& args : cases) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("is the same file as"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("quorvmesh: ", 0), 0u) << r.err;
    }
    EXPECT_EQ(ReadBytes(victim), picture);
    EXPECT_EQ(ReadBytes(dir.File("s.stg")), settings);
    EXPECT_EQ(ReadBytes(dir.File("q.ini")), ini);
    EXPECT_FALSE(fs::exists(dir.File("b.dxf")));
}

TEST(Signals, AnInterruptedExportLeavesNoFile) {
    TempFolder dir;
    WritePicture(dir.File("big.bmp"), 1400, 1400);
    for (const int signal : {SIGTERM, SIGINT}) {
        const pid_t child = fork();
        if (child == 0) {
            StdioOutputFile::RemoveTemporaryFilesOnSignal();
            _exit(RunTool(
                      {dir.File("big.bmp"), "-o", dir.File("out.dxf"), "--resolution", "100", "-q"})
                      .exitCode);
        }
        ASSERT_GT(child, 0);
        // Interrupted once the file is being written.
        auto deadline = Clock::now() + std::chrono::seconds(30);
        while (Names(dir).size() < 2 && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        kill(child, signal);
        int status = 0;
        deadline = Clock::now() + std::chrono::seconds(30);
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                FAIL() << "the child did not end";
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(WIFSIGNALED(status)) << "the export ended before the signal came";
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(Names(dir), std::vector<std::string>{"big.bmp"}) << "signal " << signal;
    }
}

// Two runs racing on one output: the file that remains is one run's whole file, never a mix.
TEST(Concurrent, RunsOnOneOutputLeaveOneWholeFile) {
    TempFolder dir;
    WritePicture(dir.File("in.bmp"), 500, 500);
    const std::vector<std::string> scales = {"1", "2"};
    std::vector<std::vector<std::uint8_t>> alone;
    for (const std::string& scale : scales) {
        ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("alone.dxf"), "--scale", scale,
                           "--format", "3dface-dxf", "-q"})
                      .exitCode,
                  0);
        alone.push_back(ReadBytes(dir.File("alone.dxf")));
    }
    ASSERT_NE(alone[0], alone[1]);
    fs::remove(dir.File("alone.dxf"));
    for (int round = 0; round < 3; ++round) {
        std::vector<pid_t> children;
        for (const std::string& scale : scales) {
            const pid_t child = fork();
            if (child == 0)
                _exit(RunTool({dir.File("in.bmp"), "-o", dir.File("out.dxf"), "--scale", scale,
                               "--format", "3dface-dxf", "-q"})
                          .exitCode);
            children.push_back(child);
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const auto out = ReadBytes(dir.File("out.dxf"));
        EXPECT_TRUE(out == alone[0] || out == alone[1]) << "round " << round << ": a mixed file";
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"in.bmp", "out.dxf"}));
    }
}

TEST(Quiet, HidesTheProgressBarToo) {
    TempFolder dir;
    for (const bool quiet : {false, true}) {
        std::vector<std::string> args = {"quorvmesh", "-o", dir.File("a.dxf")};
        if (quiet)
            args.push_back("-q");
        CliOptions options;
        std::ostringstream out, err;
        ASSERT_FALSE(ParseCommandLine(args, options, out, err));
        CliConsole console{out, err, true}; // as on a terminal
        EXPECT_EQ(RunQuorvmesh(options, console), 0);
        EXPECT_EQ(err.str().find("Writing mesh file") != std::string::npos, !quiet) << err.str();
        EXPECT_EQ(out.str().empty(), quiet);
    }
}

} // namespace
