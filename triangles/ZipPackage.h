#pragma once
// A zip archive put together in memory by libzip and handed on in pieces: a plain (not
// zip64) archive whenever its parts are small enough for one, with sizes in every header,
// as the readers of such packages expect.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ZipPart {
    std::string name;      // the path inside the archive
    std::string_view data; // outlives the call
};

// Calls put with the archive's bytes, in order, in pieces of at most a few hundred KB. The
// parts are deflated; every entry carries the same fixed time, so that the same parts give
// the same bytes. Returns libzip's reason when it fails.
std::optional<std::string> PackZip(const std::vector<ZipPart>& parts,
                                   const std::function<void(const void*, std::size_t)>& put);
