#pragma once
// The plug-in's export with the Windows services: the common save dialog owned by the
// host window, the Win32 file, the host's progress procedure, the module's 3DS templates.

#include <windows.h>

#include "common/ExportRecord.h"
#include "common/MessageReporter.h"
#include "plugin/export/ExportMesh.h"

ExportOutcome ExportFromPlugin(MeshSettings& settings, MeshBuffers& buffers, HWND hostWindow,
                               ProgressProc progressProc, MessageReporter& reporter,
                               HMODULE module);
