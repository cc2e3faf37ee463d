#include "plugin/run/SettingsRules.h"

void CheckSettings(MeshSettings& settings, SettingsSource source) {
    settings.Meshtype = Checked(kMeshtypeRule, settings.Meshtype);
    settings.DiskFormat = Checked(kDiskFormatRule, settings.DiskFormat);
    settings.MeshRes = Checked(kMeshResRule, settings.MeshRes);
    // The wireframe must draw some lines. Only start has ever enforced this; a settings
    // file may switch both off.
    if (source == SettingsSource::IniFile && settings.DoLatitude == 0 && settings.DoLongitude == 0)
        settings.DoLatitude = 1;
}
