#pragma once
// What the command line asks for. Options that were not given stay empty, so that the INI
// file and the settings file keep their say; explicit options win over both.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "solids/ModelFrame.h"
#include "tool/preview/PreviewCommand.h"
#include "toolbase/CliFailure.h"    // the exit codes
#include "triangles/TriangleFile.h" // TriangleFormatId

struct CliOptions {
    std::string input;  // a picture file; empty: the built-in start-up picture
    std::string output; // the mesh file; may be empty only when a preview is asked for
    std::optional<std::int32_t> diskFormat; // 1..6, or a TriangleFormatId
    std::optional<std::int32_t> meshType;   // 0 rectangular, 1 cylindrical, 2 spherical
    std::optional<std::int32_t> meshRes;    // 1..8
    std::optional<float> mapAlt, radOff, modelScale, cylLen;
    std::optional<bool> blackHoles;
    bool invert = false;          // also set by --lithophane
    std::string settingsPath;     // --settings FILE.stg
    std::string saveSettingsPath; // --save-settings FILE.stg
    std::string iniPath;          // --ini FILE
    bool quiet = false;
    int threads = 0; // --threads; 0: from the number of cores
    PreviewOptions preview;
    bool alphaHoles = false; // --alpha-holes: transparent pixels become black
    // The triangle formats (STL, OBJ, PLY, 3MF) only.
    bool asciiStl = false; // --ascii
    // --solid, or implied by --base, --wall, --opening and --lithophane.
    bool solid = false;
    bool mirror = false;     // --mirror
    bool lithophane = false; // --lithophane (its settings are filled in by ParseCommandLine)
    std::optional<float> baseMm, wallMm, openingMm;   // --base, --wall, --opening
    std::optional<float> widthMm, reliefMm, heightMm; // --width, --relief, --height
    std::optional<ModelOrigin> origin;                // --center, --corner
    // Fewer triangles: the surface within this distance of every sample of the full mesh
    // (--max-error, >= 0, in the file's units; radially for a tube or globe), or at most this
    // many triangles in it (--triangles, >= 2).
    std::optional<double> maxError;
    std::optional<std::uint64_t> maxTriangles;
    bool Simplifies() const { return maxError || maxTriangles; }
};

// The threads a run writes its mesh file with: --threads, else 2 on a machine of two cores
// or more, 1 on one core.
int WriterThreads(const CliOptions& options);

// --lithophane's sizes, as lithophane makers print them: 0.8 mm at white (two lines of a
// 0.4 mm nozzle, still thin enough to let light through) and 3 mm at black.
inline constexpr float kLithophaneWallMm = 0.8f;
inline constexpr float kLithophaneReliefMm = 2.2f;

// The format an output file's extension names (.dxf NxM, .3ds, .cob, .lwo, .stl, .obj, .ply,
// .3mf, in any case); nothing for any other extension or none.
std::optional<std::int32_t> FormatOfExtension(const std::string& path);

// The triangle format the run is for (--format, else the output's extension), if any; also
// without an output, when a preview alone shows what such a file would hold.
std::optional<std::int32_t> TriangleFormatOf(const CliOptions& options);

// Parses args (args[0] is the program name). Returns nothing when the run should go on;
// otherwise the exit code, after --help or --version was printed to out, or a usage
// error (one line, then a hint) to err. A number that is not finite, an output whose
// extension names no format without --format, are usage errors; a --format that differs from the
// extension's, options that do not apply to the format or that a settings file cannot keep, are
// warnings on err. A repeated option: the last one counts. For a triangle format, --lithophane
// becomes the options it stands for
// (--solid, --invert, --no-black-holes unless --black-holes is given, and the sizes
// kLithophaneWallMm and kLithophaneReliefMm where --wall, --base and --relief are not);
// --base, --wall and --opening imply --solid.
std::optional<int> ParseCommandLine(const std::vector<std::string>& args, CliOptions& options,
                                    std::ostream& out, std::ostream& err);
