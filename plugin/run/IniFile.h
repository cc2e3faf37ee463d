#pragma once
// A portable INI text file that reads and writes the way the platform's private-profile
// functions do: sections and keys are case-insensitive, only the first section of a name
// and the first of repeated keys count, values are trimmed and lose one pair of
// surrounding quotes, writes replace a key's value in place (or add the key to its
// section, or add the section) and keep every other line.

#include <optional>
#include <string>
#include <vector>

#include "common/ProfileStore.h"

class IniFile final : public ProfileStore {
  public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    std::uint32_t GetInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // The key's value as the profile functions return it, or nothing when the key is missing.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    // The whole file, lines ended as the text it came from ended them ("\r\n" for a new file).
    std::string Text() const;

  private:
    struct LineRange {
        std::size_t begin, end;
    };
    // The lines of the first section of that name, after its header.
    std::optional<LineRange> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;
    std::vector<std::string> lines_;
    std::string newline_ = "\r\n";
};

// The profile functions' reading of an integer value: optional blanks and sign, then
// decimal digits or "0x" (lower case) and hex digits, up to the first other character; wraps modulo
// 2^32.
std::uint32_t ParseProfileInt(std::string_view value);

// Reads a whole INI file; nothing when it cannot be read.
std::optional<IniFile> LoadIniFile(const std::string& path);
// Writes the file; false when it cannot be written completely.
bool SaveIniFile(const IniFile& ini, const std::string& path);
