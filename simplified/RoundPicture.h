#pragma once
// A tube's or a globe's surface with fewer triangles: the picture's rows between its poles
// (a globe's) simplified with their error measured radially (RoundSurface.h), joined to the
// poles by fans, the seam closed on itself where the full mesh welds it.

#include "simplified/SimplifyPicture.h"

// s: a cylindrical or spherical mesh's settings with its grid (meshRows, meshCols);
// levelHeight: the file's units a level stands for. The rest as SimplifyPicture takes them.
SimplifiedSurface SimplifyRoundPicture(const MeshSettings& s, const WideGray* wide,
                                       const MeshShape& shape, const SimplifyRequest& request,
                                       double levelHeight);
