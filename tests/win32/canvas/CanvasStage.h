#pragma once
// A stand-in for the filter dialog around one preview canvas: a plain top-level window
// with the controls the canvas talks to (placeholder 2098, "View:" list 116, status line
// 2006, progress frame 3014, statistics 3010..3013) and a mesh made from a test picture.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/ui/win32/PreviewCanvas.h"

// A smooth bump with a ring of black pixels: every style has edges, shades and holes.
std::vector<std::uint8_t> BumpPicture(int side);

class CanvasStage {
  public:
    // side: the picture's width and height; placeholder: the placeholder's size in pixels.
    CanvasStage(HINSTANCE instance, int side, int placeholder);
    ~CanvasStage();
    CanvasStage(const CanvasStage&) = delete;
    CanvasStage& operator=(const CanvasStage&) = delete;

    HWND Parent() const { return parent_; }
    HWND Canvas() const { return canvas_; }
    MeshSettings& Settings() { return globals_.settings; }
    const MeshBuffers& Buffers() { return mesh_.Buffers(); }
    PreviewCache& Cache() { return cache_; }
    // The canvas's top-left client pixel on the screen.
    POINT ClientOrigin() const;

    // Forgets the cached transforms and paints the canvas at once.
    void Repaint();
    // The canvas's client area as gray levels (red channel), row by row; -1 marks a
    // pixel that is not gray.
    std::vector<int> ReadPixels() const;

  private:
    std::vector<std::uint8_t> picture_;
    FilterGlobals globals_{};
    HeapBlockAllocator allocator_;
    PictureMesh mesh_{globals_.settings, allocator_};
    PreviewCache cache_;
    CanvasModel model_{};
    HWND parent_ = nullptr;
    HWND canvas_ = nullptr;
};

// Handles whatever the queue holds for about ms milliseconds.
void Pump(DWORD ms);
