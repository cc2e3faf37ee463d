#include "plugin/export/StdioOutputFile.h"

#include <cerrno>
#include <exception>

#ifndef _WIN32
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32

// The temporary files a signal must remove. A slot is claimed, filled, then marked ready,
// so that the handler only ever reads whole paths; it uses nothing but unlink.
constexpr int kSlotFree = 0, kSlotFilling = 1, kSlotReady = 2;
struct PendingTemporary {
    std::atomic<int> state{kSlotFree};
    char path[4096];
};
std::array<PendingTemporary, 8> pendingTemporaries;

int RegisterTemporary(const std::string& path) {
    if (path.size() >= sizeof PendingTemporary::path)
        return -1; // still written safely, only not removed by a signal
    for (int i = 0; i < static_cast<int>(pendingTemporaries.size()); ++i) {
        PendingTemporary& slot = pendingTemporaries[static_cast<std::size_t>(i)];
        int expected = kSlotFree;
        if (slot.state.compare_exchange_strong(expected, kSlotFilling)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.state.store(kSlotReady);
            return i;
        }
    }
    return -1;
}

void ReleaseTemporary(int slot) {
    if (slot >= 0)
        pendingTemporaries[static_cast<std::size_t>(slot)].state.store(kSlotFree);
}

extern "C" void RemoveTemporariesAndEnd(int signal) {
    const int savedErrno = errno;
    for (PendingTemporary& slot : pendingTemporaries)
        if (slot.state.load() == kSlotReady)
            unlink(slot.path);
    errno = savedErrno;
    // The handler was reset on entry: the signal now ends the process as it would have.
    raise(signal);
}

// path with every link along its last part followed; as given when it names nothing.
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return path;
        target.resize(static_cast<std::size_t>(length));
        if (target.front() == '/') {
            path = target;
        } else {
            const auto slash = path.rfind('/');
            path = slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
        }
    }
    return path; // a loop: opening it gives the system's reason
}

// A new file beside target, named so that two runs never share one; opened with the
// permissions a plain create would give.
int CreateBeside(const std::string& target, std::string& created) {
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    static std::atomic<unsigned> counter{0};
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long tag = (seed + counter++ * 7919ULL) % 1000000007ULL;
        created = folder + "." + name + "." + std::to_string(getpid()) + "-" + std::to_string(tag) +
                  ".part";
        const int fd = open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

#endif

} // namespace

StdioOutputFile::~StdioOutputFile() {
    Discard();
}

void StdioOutputFile::Fail() {
    if (error_ == 0)
        error_ = errno != 0 ? errno : EIO;
}

bool StdioOutputFile::Create(const std::string& path) {
    Discard();
    error_ = 0;
    errno = 0;
#ifdef _WIN32
    file_ = std::fopen(path.c_str(), "wb");
    if (file_)
        target_ = path;
#else
    target_ = FollowLinks(path);
    struct stat status {};
    const bool exists = stat(target_.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        errno = EISDIR;
    } else if (exists && !S_ISREG(status.st_mode)) {
        // A device or a pipe is the destination itself: written in place, never replaced.
        file_ = std::fopen(target_.c_str(), "wb");
    } else {
        // No signal may come between the file's creation and its registration.
        sigset_t all, previous;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous);
        const int fd = CreateBeside(target_, temporary_);
        const int createError = errno;
        if (fd >= 0)
            slot_ = RegisterTemporary(temporary_);
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        errno = createError;
        if (fd < 0) {
            temporary_.clear();
        } else {
            // The new file takes over the old one's permissions.
            if (exists)
                fchmod(fd, status.st_mode & 0777);
            file_ = fdopen(fd, "wb");
            if (!file_) {
                Fail();
                close(fd);
                RemoveTemporary();
            }
        }
    }
#endif
    if (!file_) {
        Fail();
        return false;
    }
    // The writer hands over whole buffers: pass them straight on, so that every failure
    // shows at the write that caused it.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

bool StdioOutputFile::Write(const std::uint8_t* data, std::size_t size) {
    if (!file_)
        return false;
    if (std::fwrite(data, 1, size, file_) == size)
        return true;
    Fail();
    return false;
}

bool StdioOutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (!file_)
        return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        Fail();
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file_) == size;
    if (!written)
        Fail();
    // Back to the end, where the next write belongs.
    if (std::fseek(file_, 0, SEEK_END) != 0) {
        Fail();
        return false;
    }
    return written;
}

void StdioOutputFile::CloseStream() {
    if (file_ && std::fclose(file_) != 0)
        Fail();
    file_ = nullptr;
}

bool StdioOutputFile::Close() {
    if (!file_)
        return true;
    CloseStream();
    if (temporary_.empty()) {
#ifdef _WIN32
        if (error_ == 0)
            target_.clear(); // complete: Discard leaves it
#endif
        return error_ == 0;
    }
    // A write cut short by an exception is never put in place.
    if (error_ != 0 || std::uncaught_exceptions() > 0)
        return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail();
        return false;
    }
#ifndef _WIN32
    ReleaseTemporary(slot_);
    slot_ = -1;
#endif
    temporary_.clear();
    return true;
}

void StdioOutputFile::RemoveTemporary() {
#ifdef _WIN32
    // Written in place: what is left of a failed write is the file itself.
    if (!target_.empty())
        std::remove(target_.c_str());
    target_.clear();
#else
    if (!temporary_.empty())
        unlink(temporary_.c_str());
    ReleaseTemporary(slot_);
    slot_ = -1;
#endif
    temporary_.clear();
}

void StdioOutputFile::Discard() {
    CloseStream();
    RemoveTemporary();
}

void StdioOutputFile::RemoveTemporaryFilesOnSignal() {
#ifndef _WIN32
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action = {};
        action.sa_handler = RemoveTemporariesAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
