#pragma once
// What the preview canvas does with focus, keys and the mouse: the tool and modifier
// cursors, the drag of each tool and the view change it makes. The window procedure feeds
// it events and lends it the window through CanvasWindow.

#include <cstdint>

#include "common/CanvasGeometry.h"
#include "common/DrawingSurface.h"
#include "common/PreviewHost.h"
#include "plugin/preview/PreviewCache.h"
#include "plugin/run/MeshSettings.h"

// The canvas's cursors in the order they are loaded: tool t shows entry t.
enum class CanvasCursor { MagGlass = 0, Hand = 1, Arrow = 2, MagMinus = 3, None = 4 };

// How Shift or Ctrl changes the current tool.
enum class ModifierMode {
    ZoomDrag = 0,   // pan tool with Shift: dragging zooms
    FreeRotate = 2, // pan tool with Ctrl: dragging rotates freely
    ZoomOut = 3,    // zoom tool with Shift
    None = 4,
};

enum class CanvasKey { Shift, Ctrl, Other };

// The window around the tools.
class CanvasWindow {
  public:
    virtual ~CanvasWindow() = default;
    virtual void ShowCursor(CanvasCursor cursor) = 0;
    virtual void TakeFocus() = 0;
    // Clears the selection of the dialog's "View:" list: the view is no preset any more.
    virtual void ClearViewList() = 0;
    virtual void CaptureMouse(bool capture) = 0;
    // Invalidates the whole canvas with erasing and paints it at once.
    virtual void Repaint() = 0;
    // Drawing into the canvas outside of a paint (outline, rubber band).
    virtual DrawingSurface& Surface() = 0;
    // Status line, progress bar and tick count of the dialog.
    virtual PreviewHost& Host() = 0;
};

// Where the pointer is, in canvas client coordinates, against the client area's size.
struct PointerPlace {
    CanvasPoint pointer;
    std::int32_t clientRight, clientBottom;
};

// A new CanvasTools is the state of a new canvas: no drag, no modifier, the focus still to
// be taken.
class CanvasTools {
  public:
    void FocusGained() { needsFocus_ = false; }
    // Losing the focus also drops a Shift/Ctrl mode: its key-up goes elsewhere.
    void FocusLost();

    // The pointer is over the canvas. tool: Tooltype.
    void SetCursor(CanvasWindow& window, bool dialogActive, std::int32_t tool);

    // Shift/Ctrl down and up. place: where the pointer is now.
    void KeyDown(CanvasWindow& window, CanvasKey key, PointerPlace place, std::int32_t tool);
    void KeyUp(CanvasWindow& window, CanvasKey key, PointerPlace place);

    void ButtonDown(CanvasWindow& window, MeshSettings& settings, CanvasPoint at);
    // Ignored unless dragging with buttonHeld; shift and ctrl: held during this move.
    void MouseMove(CanvasWindow& window, MeshSettings& settings, CanvasPoint at, bool buttonHeld,
                   bool shift, bool ctrl);
    void ButtonUp(CanvasWindow& window, MeshSettings& settings, PreviewCache& cache);

    ModifierMode Mode() const { return mode_; }
    CanvasCursor OverrideCursor() const { return overrideCursor_; }
    CanvasCursor ToolCursor() const { return toolCursor_; }
    bool Dragging() const { return dragging_; }

  private:
    // The outline is drawn before and after each view change, erasing the old one.
    template <typename Change>
    void ChangeView(CanvasWindow& window, MeshSettings& settings, Change change);
    void MoveRubberBand(CanvasWindow& window, CanvasPoint at);

    CanvasCursor toolCursor_ = CanvasCursor::None;
    CanvasCursor overrideCursor_ = CanvasCursor::None;
    ModifierMode mode_ = ModifierMode::None;
    bool needsFocus_ = true;
    bool dragging_ = false;
    std::int32_t dragTool_ = 0;
    CanvasPoint anchor_{};
    CanvasRect rubberRect_{};
    int axisLock_ = 0;
};
