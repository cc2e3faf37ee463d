#include "plugin/run/PluginState.h"

#include <cmath>

RememberedSettings rememberedSettings;
std::int16_t Orient;
float lightDir[3];

void SetLightDirection() {
    const float length = std::sqrt(1400.0f);
    lightDir[0] = 10.0f / length;
    lightDir[1] = 20.0f / length;
    lightDir[2] = -30.0f / length;
}

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
