#pragma once
// Plug-in-wide values, one copy per loaded module: what the dialog hands on to finish and
// to the next run. (The shaded preview keeps its light direction itself.)

#include <cstdint>

#include "plugin/run/MeshSettings.h"

struct RememberedSettings {
    float MapAlt, ModelScale, RadOff, CylLen;
    float Xrot, Yrot, Zrot;
    std::int32_t Tooltype, Shadetype;
};

extern RememberedSettings rememberedSettings;

// Selection of the dialog's "View:" list (0 "3/4 view" .. 6 "Left"), -1 for none.
extern std::int16_t Orient;

// When the dialog opens: the remembered tool and style become the run's.
void ApplyRememberedTools(const RememberedSettings& remembered, MeshSettings& settings);

// When the dialog closes, whichever way: the run's values are remembered for finish and
// the next run, so a cancelled dialog keeps its changes too.
void RememberSettings(const MeshSettings& settings, RememberedSettings& remembered);
