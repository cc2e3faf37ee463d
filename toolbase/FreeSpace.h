#pragma once
// Room for the output: its size, known or bounded before the first byte, against the free
// space of the file system it goes to. A file that cannot fit is refused before it is begun,
// so that whatever the path named stays as it was and no disk is filled for nothing.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "toolbase/CliFailure.h"

// The bytes free for a new file at path, as the file system gives them to a user without
// privileges; nothing when that cannot be learnt or does not apply (a device or a pipe,
// which are written in place). Tests give their own.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::string& path)>;

// The free space of the file system of path's folder (links followed), by statvfs.
std::optional<std::uint64_t> FileSystemFreeBytes(const std::string& path);

// Exit code 4 when a file of at most `bytes` cannot fit at path, naming both figures. The new
// file is written beside the old one and replaces it at the end, so the old one's bytes do
// not count as free.
StepResult CheckFreeSpace(const std::string& path, std::uint64_t bytes,
                          const FreeSpaceQuery& freeSpace);
