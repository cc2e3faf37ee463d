#pragma once
// The gray levels of a picture with more than 8 bits a sample (16-bit, or 32-bit float),
// kept at 16 bits so that the triangle formats' heights keep that precision. The classic
// formats never see it: they take the 8-bit gray of the picture as the plug-in would.

#include <cstdint>
#include <vector>

struct WideGray {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint16_t> levels; // height rows of width levels, top row first; 0 black
};
