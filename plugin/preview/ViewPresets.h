#pragma once
// The dialog's "View:" list: its entries in list order (the index is what Orient stores)
// and the view angles each one sets, in radians.

#include <array>
#include <string_view>

struct ViewPreset {
    std::string_view name;
    float xrot, yrot, zrot;
};

inline constexpr std::array<ViewPreset, 7> kViewPresets{{
    {"3/4 view", 0.5235988f, 0.5235988f, 0.0f},
    {"Front", 0.0f, 0.0f, 0.0f},
    {"Back", 0.0f, 3.1415927f, 0.0f},
    {"Top", 0.0f, 1.5707964f, 0.0f},
    {"Bottom", 0.0f, -1.5707964f, 0.0f},
    {"Right", 1.5707964f, 0.0f, 0.0f},
    {"Left", -1.5707964f, 0.0f, 0.0f},
}};
