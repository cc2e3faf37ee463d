#pragma once
// Input for the canvas as a user gives it: real mouse input through SendInput, or, where
// the display does not deliver a drag, the same messages posted with their key state.

#include <windows.h>

#include <vector>

// MK_SHIFT / MK_CONTROL held through the whole drag.
struct HeldKeys {
    bool shift = false, ctrl = false;
};

// Press at the first client point, move through the others, release at the last; then
// handles the queue.
void PostDrag(HWND canvas, const std::vector<POINT>& points, HeldKeys keys = {});

// The same with the system's mouse (SetCursorPos and SendInput).
void InputDrag(HWND canvas, const std::vector<POINT>& points);

// A key going down or up while the pointer rests at the client point.
void PostKey(HWND canvas, WPARAM key, bool down, POINT pointer);
