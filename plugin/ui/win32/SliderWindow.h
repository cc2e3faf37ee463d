#pragma once
// The "Slider" window class: a thin track with a triangular pointer the user drags. The
// messages and notifications are in plugin/ui/SliderMessages.h.

#include <windows.h>

#include <cstdint>

#include "plugin/ui/SliderMessages.h"

struct SliderData;

// Draws the pointer or the background into dc; data is the slider's locked block.
using SliderPainter = void (*)(HWND slider, HDC dc, SliderData* data);

// One block per slider, held by the window property "SLDATA" as a movable global memory
// handle; fields in this order.
struct SliderData {
    HWND window;
    std::int32_t vertical;
    std::int16_t minimum;
    std::int16_t maximum;
    std::int16_t thumbX;
    std::int16_t value;
    std::int16_t trackY;
    std::uint32_t thumbSize; // width in the low 16 bits, height in the high 16 bits
    std::uint16_t flags;     // SLF_REPAINTMOVE, SLF_LOGSCALE
    std::int32_t userWord;
    SliderPainter thumbPainter;
    SliderPainter backPainter;
};

// Registers the class "Slider" with instance, the module that holds this code (the plug-in's
// module handle, not the host's). False when the platform refuses.
bool RegisterSliderClass(HINSTANCE instance);
void UnregisterSliderClass(HINSTANCE instance);

// Direct operations for the owning dialog. Each returns false and does nothing when slider
// has no data block.
enum class SliderFlagsChange { Replace, Set, Clear };
bool SetSliderFlags(HWND slider, SliderFlagsChange change, std::uint16_t bits);
bool SetSliderRange(HWND slider, int minimum, int maximum);
// Stores the value the pointer's position for value stands for; with repaint, redraws the
// pointer at once.
bool SetSliderValue(HWND slider, int value, bool repaint);
