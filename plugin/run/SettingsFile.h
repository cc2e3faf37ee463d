#pragma once
// Settings files (*.stg): the current 84-byte record (version 132, written and read) and
// the older 64-byte record (version 120, read and widened). Little-endian, IEEE floats.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "plugin/run/MeshSettings.h"

inline constexpr std::size_t kSettingsFileSize = 84;
inline constexpr std::size_t kOldSettingsFileSize = 64;
inline constexpr std::uint16_t kSettingsVersion = 132;
inline constexpr std::uint16_t kOldSettingsVersion = 120;

// The fields of a settings file, in file order.
struct SettingsRecord {
    float MapAlt, ModelScale, RadOff, CylLen;
    std::int32_t Meshtype, DoLongitude, DoLatitude, DoPerspective, BlackHoles, DiskFormat;
    float Xrot, Yrot, Zrot;
    std::int32_t MeshRes, Tooltype, Shadetype;
    float viewCenterX, viewCenterY, viewZoom;
};

enum class SettingsStatus { Ok, InvalidFile, InvalidVersion };

// Decodes a whole file. A wrong magic, or a file shorter than its version's record, is
// InvalidFile; a version other than 120 and 132 is InvalidVersion. Bytes after the record,
// and bytes 6-7 of version 132, are ignored. record is written only on Ok.
SettingsStatus DecodeSettings(std::span<const std::uint8_t> file, SettingsRecord& record);

// The version-132 file of a record (bytes 6-7 zero).
std::array<std::uint8_t, kSettingsFileSize> EncodeSettings(const SettingsRecord& record);

SettingsRecord SettingsRecordOf(const MeshSettings& settings);
// Stores every field of the record in settings, then checks them (CheckSettings,
// SettingsSource::SettingsFile).
void ApplySettingsRecord(const SettingsRecord& record, MeshSettings& settings);

// A settings file on disk: one that cannot be opened is an InvalidFile; only the first
// record's worth of bytes is read.
SettingsStatus LoadSettingsFile(const std::string& path, SettingsRecord& record);
// Writes the 84 bytes in one go; false when the file cannot be created or written.
bool SaveSettingsFile(const std::string& path, const SettingsRecord& record);

// The box for a refused file: text and caption, shown with the exclamation icon.
struct SettingsMessage {
    std::string_view text, caption;
};
inline constexpr SettingsMessage kInvalidSettingsFile{"Invalid settings file.", "File error"};
inline constexpr SettingsMessage kInvalidSettingsVersion{"Invalid settings version",
                                                         "Version error"};
