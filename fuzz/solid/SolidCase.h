#pragma once
// What one fuzzing input asks of the solid and triangle path: a small picture and the
// options a user gives. The input is decoded here, in one place (DecodeSolidCase), and
// turned into the tool's command line in one other (Arguments); the oracle reads the same
// case to know what was asked. A new option is a field below, a line in each of the two
// functions, and, where it promises something, a check in the oracle (SolidOracle.cpp).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tool/CliOptions.h"

struct SolidCase {
    // The picture: rows x cols gray levels, top row first, 0 black; 0..65535 when wide,
    // else 0..255.
    std::uint16_t rows = 1, cols = 1;
    bool wide = false;
    std::vector<std::uint16_t> levels;

    std::string format = "stl"; // the output's extension: stl, obj, ply or 3mf
    bool ascii = false;         // --ascii (STL)
    std::string mesh = "rectangular";
    int resolution = 100; // percent
    std::optional<float> mapAltitude, radialOffset, scale, cylLength;
    std::optional<float> widthMm, reliefMm, baseMm;
    std::optional<float> wallMm, openingMm, heightMm;
    std::optional<float> maxError;          // --max-error (0: lossless)
    std::optional<std::uint32_t> triangles; // --triangles, at least 2
    bool solid = false, invert = false, mirror = false, lithophane = false;
    std::optional<bool> blackHoles; // --black-holes or --no-black-holes
    ModelOrigin origin = ModelOrigin::kAsMade;
};

// Any bytes make a case: fields first, from the front, then the picture's levels from what
// is left (missing bytes read as 0). Pictures are 1 to 40 pixels each way.
SolidCase DecodeSolidCase(std::span<const std::uint8_t> bytes);

// The command line, program name first, that asks the tool for the case's file at output
// from the picture at picture.
std::vector<std::string> Arguments(const SolidCase& c, const std::string& picture,
                                   const std::string& output);
