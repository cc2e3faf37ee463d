#pragma once
// Exports whose files are kept under tests/data/export: one gray picture, and per case the
// INI text the plug-in starts from and the file it must write. The native core and the
// Windows plug-in (under Wine) must both write exactly these files.

#include <cstdint>
#include <vector>

inline constexpr std::uint16_t kGoldenRows = 16;
inline constexpr std::uint16_t kGoldenCols = 20;

// Ramps, a ripple and a black patch, top row first.
inline std::vector<std::uint8_t> GoldenPicture() {
    std::vector<std::uint8_t> pixels(std::size_t{kGoldenRows} * kGoldenCols);
    for (int r = 0; r < kGoldenRows; ++r)
        for (int c = 0; c < kGoldenCols; ++c)
            pixels[static_cast<std::size_t>(r * kGoldenCols + c)] = static_cast<std::uint8_t>(
                (r >= 10 && r < 13 && c >= 3 && c < 7) ? 0
                                                       : (r * 13 + c * 9 + (r * c) % 7 * 5) % 256);
    return pixels;
}

// The NxM case prints many heights that lie exactly halfway between two four-decimal
// texts (multiples of 25 / 256), where C runtimes have disagreed.
struct GoldenCase {
    const char* file; // under tests/data/export
    const char* ini;  // the qmesh.ini the run starts from
};

inline constexpr GoldenCase kGoldenCases[] = {
    {"nxm-rectangular.dxf",
     "[QUORVMESH]\r\nMeshtype=0\r\nDiskFormat=1\r\nMeshRes=1\r\nMapAlt=250\r\n"},
    {"face-cylindrical.dxf",
     "[QUORVMESH]\r\nMeshtype=1\r\nDiskFormat=2\r\nMeshRes=2\r\nBlackHoles=1\r\nRadOff=35\r\n"},
    {"polyline-spherical.dxf",
     "[QUORVMESH]\r\nMeshtype=2\r\nDiskFormat=3\r\nMeshRes=1\r\nBlackHoles=1\r\n"},
    {"spherical.3ds", "[QUORVMESH]\r\nMeshtype=2\r\nDiskFormat=4\r\nMeshRes=1\r\nMapAlt=55\r\n"},
    {"cylindrical.cob",
     "[QUORVMESH]\r\nMeshtype=1\r\nDiskFormat=5\r\nMeshRes=1\r\nModelScale=23\r\nCylLen=40\r\n"},
    {"rectangular.lwo",
     "[QUORVMESH]\r\nMeshtype=0\r\nDiskFormat=6\r\nMeshRes=4\r\nBlackHoles=1\r\n"},
};
