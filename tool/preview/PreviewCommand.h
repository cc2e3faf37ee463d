#pragma once
// Preview pictures from the command line: the canvas the dialog would show right after it
// opens, rendered in software and written as PNG or BMP (chosen by the file's extension).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

namespace CLI {
class App;
}

struct PreviewSize {
    int width, height;
};

// Each optional field overrides the matching MeshSettings value only when it was given.
struct PreviewOptions {
    std::string path;                             // --preview FILE.png|FILE.bmp; empty = no preview
    std::optional<std::int32_t> shadetype;        // --style wireframe|outlined|shaded -> 0, 1, 2
    std::optional<std::array<float, 3>> rotation; // --view preset or --rotate X,Y,Z; radians
    std::optional<bool> perspective;              // --perspective / --no-perspective
    std::optional<bool> latitude;                 // --latitude / --no-latitude
    std::optional<bool> longitude;                // --longitude / --no-longitude
    PreviewSize size{800, 800};                   // --size WxH
};

// Registers --preview, --style, --view, --rotate, --perspective, --latitude, --longitude and
// --size (and their --no- forms) on app; parsed values land in options.
void AddPreviewOptions(CLI::App& app, PreviewOptions& options);

// Applies the overrides to settings (angles, Shadetype, DoPerspective, DoLatitude,
// DoLongitude) and places the view of settings' bounding box and viewDistance on a canvas of
// options.size as the dialog does when it opens (canvasRect, viewZoom and the view centres
// are written); on a canvas wider than the model's picture, its height is fitted too.
void PlacePreviewView(const PreviewOptions& options, MeshSettings& settings);

// Does nothing and returns true when options.path is empty. Otherwise places the view
// (PlacePreviewView), renders the mesh held in buffers (the points of the current settings,
// as MakePoints left them) and writes the picture. On failure returns false with a one-line
// reason that names the file in error.
bool WritePreviewPicture(const PreviewOptions& options, MeshSettings& settings,
                         MeshBuffers& buffers, std::string& error);
