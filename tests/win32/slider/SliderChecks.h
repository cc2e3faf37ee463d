#pragma once
// The groups of slider checks, each run on sliders of its own in the shared test window.

#include <windows.h>

#include <vector>

#include "plugin/ui/win32/SliderWindow.h"
#include "tests/win32/slider/SliderTestWindow.h"

// A copy of the slider's data block, read as the window property holds it.
SliderData ReadBlock(HWND slider);

// How many locks the slider's block holds now (every operation unlocks before returning).
UINT BlockLocks(HWND slider);

// The slider size the checks use: 150 pixels of span for the standard 14-pixel pointer.
inline constexpr int kSliderWidth = 164;
inline constexpr int kSliderHeight = 20;

struct DragStep {
    int x;         // client x of the slider the cursor goes to
    DWORD pauseMs; // how long it stays there
};

// Presses the left button over the slider at the first step, moves through the steps with
// synthesized input and releases; returns what the parent was told.
std::vector<SliderNotice> Drag(SliderTestWindow& window, HWND slider,
                               const std::vector<DragStep>& steps);

void CheckCreationAndMessages(SliderTestWindow& window);
void CheckPainting(SliderTestWindow& window);
void CheckDrags(SliderTestWindow& window);
void CheckMissingBlock(SliderTestWindow& window);
void CheckEmptyRanges(SliderTestWindow& window);
