#include "plugin/preview/ViewTransform.h"

#include <cmath>

ViewAngles MakeViewAngles(const MeshSettings& settings) {
    return {std::sin(-settings.Yrot), std::cos(-settings.Yrot), std::sin(-settings.Xrot),
            std::cos(-settings.Xrot), std::sin(-settings.Zrot), std::cos(-settings.Zrot)};
}
