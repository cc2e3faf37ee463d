#pragma once
// The filter dialog "QuorvDlg": the live preview, its tool and style buttons, and a control
// for every user parameter. Each control writes MeshSettings at once and brings the preview
// up to date with the least work (a repaint, a re-projection or new points).

#include <windows.h>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/FilterGlobals.h"

// Runs the dialog modally over owner (the host window, which is filtered while the dialog
// is open) on the run's block and its mesh. The "Slider" and "canvas" classes must be
// registered for instance. Returns 1 for OK, 0 for Cancel or closing, -1 when the dialog
// could not be created.
INT_PTR RunFilterDialog(HINSTANCE instance, HWND owner, FilterGlobals& globals,
                        MeshBuffers& buffers);
