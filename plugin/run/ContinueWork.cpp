#include "plugin/run/ContinueWork.h"

void RunContinueWork(FilterGlobals& globals, MeshBuffers&, const ContinueContext& context) {
    // Sampling and the points come first, under the wait cursor; then the dialog.
    globals.settings.polygonCount = 0;
    SetCursor(context.previousCursor);
}
