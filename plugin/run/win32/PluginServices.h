#pragma once
// The plug-in's small shared services: its module handle, the host window, the error box.

#include <windows.h>

#include "common/ExportRecord.h"
#include "plugin/run/FilterGlobals.h"

// Recorded when the module is attached; every resource is loaded through it.
HINSTANCE PluginInstance();
void SetPluginInstance(HINSTANCE instance);

// The window named by the record's platformData (null when the host gave none).
HWND HostWindow(const PlatformData* platformData);

// A stop-icon box with the text of stringId and the plug-in's name as caption, owned by
// the host window of the run's record.
void ShowError(int stringId, FilterGlobals& globals);
