#include "toolbase/FreeSpace.h"

#include <sys/statvfs.h>

#include <cstdio>
#include <filesystem>

namespace {

// "43.1 GB (43086123456 bytes)"
std::string SizeText(std::uint64_t bytes) {
    constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes);
    int unit = -1;
    while (value >= 1000.0 && unit < 3) {
        value /= 1000.0;
        ++unit;
    }
    if (unit < 0)
        return std::to_string(bytes) + " bytes";
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s (%llu bytes)", value, kUnits[unit],
                  static_cast<unsigned long long>(bytes));
    return text;
}

} // namespace

std::optional<std::uint64_t> FileSystemFreeBytes(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error)
        return std::nullopt;
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return std::nullopt;
    struct statvfs info {};
    if (::statvfs(target.parent_path().c_str(), &info) != 0)
        return std::nullopt;
    return std::uint64_t{info.f_bavail} * info.f_frsize;
}

StepResult CheckFreeSpace(const std::string& path, std::uint64_t bytes,
                          const FreeSpaceQuery& freeSpace) {
    const std::optional<std::uint64_t> free = freeSpace ? freeSpace(path) : std::nullopt;
    if (!free || bytes <= *free)
        return std::nullopt;
    return Fail(kExitOutput, path,
                "not enough free space: the file may need up to " + SizeText(bytes) +
                    ", and its file system has " + SizeText(*free) + " free");
}
