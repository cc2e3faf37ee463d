#include "plugin/run/PluginState.h"

RememberedSettings rememberedSettings;
std::int16_t Orient;

void ApplyRememberedTools(const RememberedSettings& remembered, MeshSettings& settings) {
    settings.Tooltype = remembered.Tooltype;
    settings.Shadetype = remembered.Shadetype;
}

void RememberSettings(const MeshSettings& settings, RememberedSettings& remembered) {
    remembered.Xrot = settings.Xrot;
    remembered.Yrot = settings.Yrot;
    remembered.Zrot = settings.Zrot;
    remembered.Tooltype = settings.Tooltype;
    remembered.Shadetype = settings.Shadetype;
    remembered.MapAlt = settings.MapAlt;
    remembered.ModelScale = settings.ModelScale;
    remembered.RadOff = settings.RadOff;
    remembered.CylLen = settings.CylLen;
}
