#include "fuzz/settings/SettingsFuzzing.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/PolygonLimit.h"
#include "plugin/run/SettingsFile.h"

namespace {

void Require(bool promise) {
    if (!promise)
        std::abort();
}

// What every way in promises the core: choices it can switch on and index by.
void CheckChoices(const MeshSettings& s) {
    Require(s.Meshtype >= 0 && s.Meshtype <= 2);
    Require(s.DiskFormat >= 1 && s.DiskFormat <= 6);
    Require(s.MeshRes >= 1 && s.MeshRes <= 8);
}

// What start promises about any INI file.
void CheckLoaded(const MeshSettings& s) {
    CheckChoices(s);
    Require(s.DoLatitude != 0 || s.DoLongitude != 0);
}

// A decoded file written again reads back bit for bit, and its values (however hostile)
// go through the INI conversions and back.
void FuzzSettingsFile(std::span<const std::uint8_t> file) {
    SettingsRecord record{};
    if (DecodeSettings(file, record) != SettingsStatus::Ok)
        return;
    SettingsRecord again{};
    Require(DecodeSettings(EncodeSettings(record), again) == SettingsStatus::Ok);
    Require(std::memcmp(&record, &again, sizeof record) == 0);

    MeshSettings settings{};
    ApplySettingsRecord(record, settings);
    CheckChoices(settings);
    RememberedSettings remembered{};
    RememberSettings(settings, remembered);
    IniFile ini;
    Require(SaveParameters(ini, settings, remembered, -1));
    for (std::string_view key : {"Xrot", "Yrot", "Zrot"}) {
        const std::uint32_t degrees = ini.GetInt(kProfileSection, key, -1);
        Require(degrees <= 360);
    }
    LoadParameters(ini, settings, remembered, Orient);
    CheckLoaded(settings);
}

// Any text loads within the promised ranges; what is saved over it reads back the same.
void FuzzIniText(std::string_view text) {
    IniFile ini(text);
    MeshSettings settings{};
    RememberedSettings remembered{};
    std::int16_t orient = 0;
    LoadParameters(ini, settings, remembered, orient);
    CheckLoaded(settings);
    ReadPolygonLimit(ini);

    Require(SaveParameters(ini, settings, remembered, orient));
    const IniFile reread(ini.Text());
    for (std::string_view key : {"Meshtype", "DiskFormat", "MapAlt", "Xrot", "Orient", "Tooltype"})
        Require(reread.GetString(kProfileSection, key) == ini.GetString(kProfileSection, key));
}

} // namespace

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the end is caught by the sanitizer.
    const auto copy = std::make_unique<std::uint8_t[]>(size);
    if (size)
        std::memcpy(copy.get(), data, size);
    FuzzSettingsFile({copy.get(), size});
    FuzzIniText({reinterpret_cast<const char*>(copy.get()), size});
    return 0;
}
