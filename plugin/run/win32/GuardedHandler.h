#pragma once
// Runs one selector handler so that nothing unwinds into the host: the host's code may not
// be C++ at all, and an exception crossing the module boundary ends its process.

#include "plugin/run/FilterGlobals.h"

using SelectorHandler = void (*)(FilterGlobals&);

// An allocation failure leaves memFullErr, any other exception exportBadParameters.
void RunGuarded(SelectorHandler handler, FilterGlobals& globals) noexcept;
