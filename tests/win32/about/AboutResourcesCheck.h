#pragma once
// The About box's resources in the built module: every picture's size and depth, at least
// as large as what the box copies from it, and the two sounds' formats and lengths.

#include <windows.h>

void AboutResourcesHaveTheirSizesDepthsAndLengths(HMODULE module);
