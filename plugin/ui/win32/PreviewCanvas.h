#pragma once
// The preview canvas, window class "canvas": a child of the filter dialog that paints the
// mesh and turns drags with the zoom, pan and rotate tools (Shift and Ctrl modify them)
// into view changes. The class keeps one device context per window (CS_OWNDC) and one
// pointer of class data: the CanvasModel of the open dialog.

#include <windows.h>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/preview/PreviewCache.h"
#include "plugin/run/FilterGlobals.h"

inline constexpr char kCanvasClassName[] = "canvas";

// Bytes of class data: the CanvasModel pointer (4 in the 32-bit module).
inline constexpr int kCanvasClassBytes = sizeof(void*);

// What the canvas paints and changes: the run's block (its MeshSettings hold the view and
// Tooltype/Shadetype), the mesh made from the picture and the preview cache. The dialog
// owns it and keeps it alive while the canvas exists; any member may be null, and a canvas
// without a complete model paints white and ignores the tools.
struct CanvasModel {
    FilterGlobals* globals;
    const MeshBuffers* buffers;
    PreviewCache* cache;
};

// Registers "canvas" for instance (the module whose cursors the canvas loads). False when
// the class cannot be registered.
bool RegisterCanvasClass(HINSTANCE instance);
void UnregisterCanvasClass(HINSTANCE instance);

// Stores model (or null) in the class data of canvas's class / reads it back (null when
// canvas is not a canvas or nothing is stored). Creating or destroying a canvas clears it.
void SetCanvasModel(HWND canvas, CanvasModel* model);
CanvasModel* GetCanvasModel(HWND canvas);

// Creates the canvas, id 2001, as a visible bordered child of dialog at the top-left of the
// placeholder 2098, one pixel wider and taller than it; stores model in the class data and
// records the canvas's client rectangle in model.globals->settings.canvasRect. Returns null
// when the placeholder is missing or the window cannot be created.
HWND CreatePreviewCanvas(HWND dialog, HINSTANCE instance, CanvasModel& model);
