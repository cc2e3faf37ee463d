#pragma once
// One handler per selector; each leaves its outcome in globals.result.

#include "plugin/run/FilterGlobals.h"

void DoAbout(FilterGlobals& globals);
// Image mode, the polygon-count question, the whole-image request, the parameters.
void DoStart(FilterGlobals& globals);
// All of the work, in one call; always leaves 0.
void DoContinue(FilterGlobals& globals);
// Saves the parameters, clears dirty; leaves 1.
void DoFinish(FilterGlobals& globals);
