#include "plugin/ui/ButtonFaces.h"

ButtonDrawPlan PlanButtonDraw(ButtonDrawAction action, bool held, bool focusOnly, bool current) {
    const FaceFrame frame = focusOnly ? FaceFrame::LightGray : FaceFrame::White;
    switch (action) {
    case ButtonDrawAction::Entire:
        return {held || current ? kSelectedFaceX : kNormalFaceX, frame};
    case ButtonDrawAction::Select:
        return {held || current ? kSelectedFaceX : kNormalFaceX, FaceFrame::None};
    case ButtonDrawAction::Focus:
        break;
    }
    return {-1, frame};
}
