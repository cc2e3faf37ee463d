#pragma once
// A mouse a driver thread moves and presses, read by the sliders' drag loop in place of the
// system's. Under Wine and Xvfb synthesized input (SendInput) does reach the drag loop, but in
// some runs the polled cursor stopped following the moves and the button read as released
// early; posted button messages and this mouse keep the drags exact.

#include <windows.h>

class ScriptedMouse {
  public:
    // Installs this mouse for the drag loop, button up.
    ScriptedMouse();
    // Gives the drag loop the system's mouse back.
    ~ScriptedMouse();
    ScriptedMouse(const ScriptedMouse&) = delete;
    ScriptedMouse& operator=(const ScriptedMouse&) = delete;

    // Moves the cursor to the client point (x, y) of window.
    void MoveTo(HWND window, int x, int y);
    // Presses or releases the left button over window, posting the button message the system
    // would queue for it.
    void Press(HWND window);
    void Release(HWND window);
};
