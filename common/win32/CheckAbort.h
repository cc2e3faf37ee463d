#pragma once
// The mouse-press poll of long preview passes: a click anywhere in the thread's windows
// stops the pass.

// True when a left-button press waits in this thread's queue; the press stays queued.
bool CheckAbort();
