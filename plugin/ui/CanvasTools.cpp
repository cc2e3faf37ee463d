#include "plugin/ui/CanvasTools.h"

#include <algorithm>
#include <cstdlib>

#include "plugin/preview/ViewSetup.h"
#include "plugin/ui/ViewTools.h"

namespace {

CanvasCursor CursorOfTool(std::int32_t tool) {
    return tool >= kZoomTool && tool <= kRotateTool ? static_cast<CanvasCursor>(tool)
                                                    : CanvasCursor::None;
}

std::int16_t Delta(std::int32_t to, std::int32_t from) {
    return static_cast<std::int16_t>(to - from);
}

} // namespace

void CanvasTools::FocusLost() {
    needsFocus_ = true;
    overrideCursor_ = CanvasCursor::None;
    mode_ = ModifierMode::None;
}

void CanvasTools::SetCursor(CanvasWindow& window, bool dialogActive, std::int32_t tool) {
    if (needsFocus_ && dialogActive) {
        window.TakeFocus();
        needsFocus_ = false;
        toolCursor_ = CursorOfTool(tool);
    }
    window.ShowCursor(overrideCursor_ != CanvasCursor::None ? overrideCursor_ : toolCursor_);
}

void CanvasTools::KeyDown(CanvasWindow& window, CanvasKey key, PointerPlace place,
                          std::int32_t tool) {
    if (overrideCursor_ != CanvasCursor::None)
        return;
    if (place.pointer.x > place.clientRight || place.pointer.y > place.clientBottom)
        return;
    if (key == CanvasKey::Shift && tool == kZoomTool) {
        overrideCursor_ = CanvasCursor::MagMinus;
        mode_ = ModifierMode::ZoomOut;
    } else if (key == CanvasKey::Shift && tool == kPanTool) {
        overrideCursor_ = CanvasCursor::MagGlass;
        mode_ = ModifierMode::ZoomDrag;
    } else if (key == CanvasKey::Ctrl && tool == kPanTool) {
        window.ClearViewList();
        overrideCursor_ = CanvasCursor::Arrow;
        mode_ = ModifierMode::FreeRotate;
    } else {
        return;
    }
    window.ShowCursor(overrideCursor_);
}

void CanvasTools::KeyUp(CanvasWindow& window, CanvasKey key, PointerPlace place) {
    if (key == CanvasKey::Other)
        return;
    overrideCursor_ = CanvasCursor::None;
    mode_ = ModifierMode::None;
    if (place.pointer.x < place.clientRight && place.pointer.y < place.clientBottom)
        window.ShowCursor(toolCursor_);
}

void CanvasTools::ButtonDown(CanvasWindow& window, MeshSettings& settings, CanvasPoint at) {
    anchor_ = at;
    dragging_ = true;
    dragTool_ = settings.Tooltype;
    window.CaptureMouse(true);
    if (dragTool_ == kZoomTool) {
        rubberRect_ = {at.x, at.y, at.x, at.y};
        return;
    }
    if (dragTool_ == kRotateTool)
        window.ClearViewList();
    window.Surface().FillWhite();
    DrawBoxOutline(settings, window.Surface());
}

template <typename Change>
void CanvasTools::ChangeView(CanvasWindow& window, MeshSettings& settings, Change change) {
    DrawBoxOutline(settings, window.Surface());
    change();
    DrawBoxOutline(settings, window.Surface());
    window.Host().SetStatus("");
    window.Host().ShowDialogProgress(0, 100);
}

void CanvasTools::MoveRubberBand(CanvasWindow& window, CanvasPoint at) {
    DrawRubberBand(window.Surface(), rubberRect_);
    rubberRect_ = {std::min(anchor_.x, at.x), std::min(anchor_.y, at.y), std::max(anchor_.x, at.x),
                   std::max(anchor_.y, at.y)};
    DrawRubberBand(window.Surface(), rubberRect_);
}

void CanvasTools::MouseMove(CanvasWindow& window, MeshSettings& s, CanvasPoint at, bool buttonHeld,
                            bool shift, bool ctrl) {
    if (!dragging_ || !buttonHeld)
        return;
    const std::int16_t dx = Delta(at.x, anchor_.x), dy = Delta(at.y, anchor_.y);
    switch (mode_) {
    case ModifierMode::None:
        if (dragTool_ == kZoomTool) {
            MoveRubberBand(window, at);
            return;
        }
        if (dragTool_ == kPanTool) {
            ChangeView(window, s, [&] { PanView(s, dx, dy); });
        } else if (dragTool_ == kRotateTool) {
            if (axisLock_ == kAxisUndecided) {
                if (!shift)
                    axisLock_ = kAxisFree;
                else if (dx != 0 || dy != 0)
                    axisLock_ = std::abs(dy) < std::abs(dx) ? kAxisYrotOnly : kAxisXrotOnly;
            }
            ChangeView(window, s, [&] { RotateView(s, dx, dy, axisLock_, ctrl); });
        } else {
            return;
        }
        break;
    case ModifierMode::ZoomDrag:
        ChangeView(window, s, [&] { ZoomDragView(s, std::abs(dx) < std::abs(dy) ? dy : dx); });
        break;
    case ModifierMode::FreeRotate:
        ChangeView(window, s, [&] { RotateView(s, dx, dy, kAxisFree, false); });
        break;
    case ModifierMode::ZoomOut:
        MoveRubberBand(window, at);
        return;
    }
    anchor_ = at;
}

void CanvasTools::ButtonUp(CanvasWindow& window, MeshSettings& settings, PreviewCache& cache) {
    if (!dragging_)
        return;
    if (dragTool_ == kZoomTool) {
        DrawRubberBand(window.Surface(), rubberRect_);
        const bool zoomOut = mode_ == ModifierMode::ZoomOut;
        if (std::abs(rubberRect_.left - rubberRect_.right) >= 2 ||
            std::abs(rubberRect_.top - rubberRect_.bottom) >= 2) {
            const ZoomBox box = ZoomToRect(settings, rubberRect_, zoomOut);
            AnimateZoomBox(window.Surface(), window.Host(), box.from, box.to);
        } else {
            ZoomAtPoint(settings, anchor_, zoomOut);
        }
    }
    window.CaptureMouse(false);
    axisLock_ = kAxisUndecided;
    dragging_ = false;
    cache.ViewChanged();
    window.Repaint();
}
