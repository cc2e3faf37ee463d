#pragma once
// Turns the sampled gray grid into 3D points (preview coordinates) for the mesh type.

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

// Fills pointX/Y/Z and solidFlags for meshRows x PointsPerRow(settings) points from
// grayGrid, then the bounding box and viewDistance. Rectangular puts black highest
// (z = (255 - g) * MapAlt * ModelScale / 256); Cylindrical and Spherical push bright
// pixels outward and repeat column 0 as a last seam column. Meshtype must be one of the
// three, as CheckSettings leaves it. Angles are accumulated in single precision.
void MakePoints(MeshSettings& settings, MeshBuffers& buffers);
