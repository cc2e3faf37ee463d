#pragma once
// The middle of continue: everything between allocating the mesh memory and releasing it.
// The frame around it (win32/ContinueFrame.cpp) has already:
//  - shown the wait cursor (context.previousCursor is the one to restore before a dialog),
//  - stored imagePixels, imageRowBytes, imageRows and imageCols in globals.settings,
//  - allocated every MeshBuffers block (buffers is complete; outputBuffer is 16384 bytes).
// After it returns, the frame releases the blocks, restores the cursor and empties theRect,
// whatever happened here; continue's result stays 0.
//
// What the work needs:
//  - the record: ExportRecordOf(globals), e.g. its progressProc for the file writers;
//  - the host window that owns dialogs and boxes: context.hostWindow;
//  - boxes in the plug-in's style: context.reporter (MessageBoxA owned by the host window);
//  - the module's resources: PluginInstance() (win32/PluginServices.h), or
//    ModuleResources(PluginInstance()) (common/win32/ModuleResources.h) for "TdsHdr"/"TdsFtr".

#include <windows.h>

#include "common/MessageReporter.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/FilterGlobals.h"

struct ContinueContext {
    HWND hostWindow;
    MessageReporter& reporter;
    HCURSOR previousCursor;
};

void RunContinueWork(FilterGlobals& globals, MeshBuffers& buffers, const ContinueContext& context);
