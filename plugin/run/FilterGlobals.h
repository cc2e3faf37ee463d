#pragma once
// The plug-in's per-run block. The host keeps its address in the data word from the first
// call of a run to finish; every selector handler works on it.

#include <cstdint>

#include "common/ExportRecord.h"
#include "plugin/run/MeshSettings.h"

struct FilterGlobals {
    std::int16_t result; // copied to the host's result word before the entry point returns
    void* record;        // the ExportRecord of this call (the AboutRecord for about)
    MeshSettings settings;
    // Set once start has loaded the parameters: a finish without a start (a host that
    // stops after prepare) must not store the empty block over the user's settings.
    bool parametersLoaded;
};

// The record of any selector but about.
inline ExportRecord& ExportRecordOf(FilterGlobals& globals) {
    return *static_cast<ExportRecord*>(globals.record);
}
