#pragma once
// A slider's data block, locked for the duration of one operation, and the pointer
// operations on it. The block is the movable global memory held by the window property
// "SLDATA"; messages can reach a slider before the block exists or after it is freed, so every
// operation starts with a lock that may come back empty.

#include <windows.h>

#include "plugin/ui/SliderScale.h"
#include "plugin/ui/win32/SliderWindow.h"

class SliderBlock {
  public:
    // Locks the block of slider; empty when the window has none or the lock fails.
    explicit SliderBlock(HWND slider);
    ~SliderBlock();
    SliderBlock(const SliderBlock&) = delete;
    SliderBlock& operator=(const SliderBlock&) = delete;

    explicit operator bool() const { return data_ != nullptr; }
    SliderData* operator->() const { return data_; }
    SliderData* Get() const { return data_; }

    // Forgets the block without unlocking it, for when the window (and with it the block) was
    // destroyed while locked.
    void Abandon();

  private:
    HGLOBAL handle_ = nullptr;
    SliderData* data_ = nullptr;
};

int ThumbWidth(const SliderData& data);
int ThumbHeight(const SliderData& data);

// The scale of data over its window's client width.
SliderScale ScaleOf(const SliderData& data);

// The value that pointer-centre position x stands for.
int ValueAtPosition(const SliderData& data, int x);

// The rectangle the pointer covers, one pixel wider and higher than the pointer.
RECT PointerRect(const SliderData& data);

// Moves the pointer to value's position and stores the value that position stands for;
// with repaint, redraws the old and the new pointer at once.
void SetValue(SliderData& data, int value, bool repaint);

// Sets value without repainting, then redraws both pointer rectangles (erasing) when the
// pointer moved.
void MovePointer(SliderData& data, int value);
