#pragma once
// The middle of continue, on a mesh already made from the host's picture: the filter dialog,
// then, only when it ended with OK, the export. The frame around it (ContinueFrame.cpp) has
// shown the wait cursor and owns the mesh memory; whatever happens here, it releases the
// memory, restores the cursor and empties theRect, and continue's result stays 0.

#include <windows.h>

#include "common/MessageReporter.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/run/FilterGlobals.h"

struct ContinueContext {
    HWND hostWindow;           // owns the dialogs and boxes
    MessageReporter& reporter; // boxes in the plug-in's style
    HCURSOR previousCursor;    // to restore before a dialog
};

void RunContinueWork(FilterGlobals& globals, PictureMesh& mesh, const ContinueContext& context);
