#pragma once
// Integer keys of an INI ("private profile") file: the platform's profile functions in the
// plug-in, a portable INI text file in the command-line tool and in tests.

#include <cstdint>
#include <string_view>

// The plug-in's section, and its two spellings of the file name (profile names are
// case-insensitive).
inline constexpr std::string_view kProfileSection = "QUORVMESH";
inline constexpr std::string_view kProfileFile = "qmesh.ini";
inline constexpr std::string_view kProfileFileUpper = "QMESH.INI";

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    // The key's value read as an integer, modulo 2^32 (so -1 reads as 0xFFFFFFFF), or
    // fallback when the key is missing or its value is empty.
    virtual std::uint32_t GetInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const = 0;
    // Stores value as the key's text; false when it cannot be stored.
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};
