#pragma once
// Raw data resources by name ("TdsHdr", "TdsFtr", "Logo"): Win32 resources in the
// Windows modules, compiled-in copies of the same files in native builds.

#include <cstdint>
#include <span>
#include <string_view>

class ResourceBytes {
  public:
    virtual ~ResourceBytes() = default;
    // The resource's bytes, or an empty span when there is no such resource.
    virtual std::span<const std::uint8_t> Find(std::string_view name) const = 0;
};
