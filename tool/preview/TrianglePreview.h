#pragma once
// The preview picture of a triangle file: the triangles it holds as they stand, seen from the
// front (-Y) with Z up in the dialog's front view, turned by the dialog's view presets as it
// turns its meshes (its "Right" looks down on the model), drawn in the dialog's styles and
// shading with a depth buffer rather than a sort, so that no triangle is held.

#include <string>

#include "plugin/run/MeshSettings.h"
#include "solids/ModelFrame.h"
#include "solids/SurfaceSurvey.h"
#include "solids/TriangleSource.h"
#include "tool/preview/PreviewCommand.h"

// From a Z-up or a Y-up file's axes to the dialog's view: x to the right, y up and z away from
// the viewer in its front view.
inline constexpr AxisMap kPreviewFromZUp({0, 2, 1}, {false, false, false});
inline constexpr AxisMap kPreviewFromYUp({0, 1, 2}, {false, false, true});

// Draws source's triangles (one pass, with corners) on a canvas of options.size and writes
// the picture to options.path. settings: the view's (angles, Shadetype, DoPerspective), with
// options' overrides applied on a copy. extent: of the file's coordinates; toView: from
// them to the view's (kPreviewFromZUp or kPreviewFromYUp). Styles: wireframe draws every
// edge, outlined the shaded triangles with their visible edges, shaded the triangles alone.
// On failure returns false with a one-line reason that names the file in error.
bool WriteTrianglePreview(const PreviewOptions& options, MeshSettings settings,
                          TriangleSource& source, const Extent& extent, const AxisMap& toView,
                          std::string& error);
