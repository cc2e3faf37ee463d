#pragma once
// The drag loop a left-button press on a slider runs: it holds the mouse capture and polls
// the button and cursor until the button is released, reporting to the parent from inside.

#include <windows.h>

// Runs the whole drag of slider; returns after the button is up and SLN_RELEASE was sent,
// or at once when the slider has no data block.
void DragSlider(HWND slider);

// True while any slider of the module is being dragged.
bool SliderDragging();

// Where the drag loop reads the mouse: the left button's asynchronous state and the cursor's
// screen position. Test programs replace it to drive drags step by step.
struct SliderMouseSource {
    bool (*leftButtonDown)();
    POINT (*cursorPosition)();
};

// Makes the drag loop read source (null: the system's mouse again).
void SetSliderMouseSource(const SliderMouseSource* source);
