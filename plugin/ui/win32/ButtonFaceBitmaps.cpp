#include "plugin/ui/win32/ButtonFaceBitmaps.h"

#include "plugin/resources/DialogIds.h"
#include "plugin/ui/ButtonFaces.h"

ButtonFaceBitmaps::ButtonFaceBitmaps(HINSTANCE instance) {
    for (std::size_t i = 0; i < faces_.size(); ++i) {
        Face& face = faces_[i];
        face.bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDC_TOOL_ZOOM + i));
        face.dc = face.bitmap ? CreateCompatibleDC(nullptr) : nullptr;
        if (face.dc)
            face.previous = SelectObject(face.dc, face.bitmap);
    }
}

ButtonFaceBitmaps::~ButtonFaceBitmaps() {
    for (Face& face : faces_) {
        if (face.dc) {
            SelectObject(face.dc, face.previous);
            DeleteDC(face.dc);
        }
        if (face.bitmap)
            DeleteObject(face.bitmap);
    }
}

bool ButtonFaceBitmaps::Draw(const DRAWITEMSTRUCT& item, bool current) const {
    if (item.CtlID < IDC_TOOL_ZOOM || item.CtlID > IDC_STYLE_SHADED)
        return false;
    const ButtonDrawAction action = (item.itemAction & ODA_DRAWENTIRE) ? ButtonDrawAction::Entire
                                    : (item.itemAction & ODA_SELECT)   ? ButtonDrawAction::Select
                                                                       : ButtonDrawAction::Focus;
    const ButtonDrawPlan plan = PlanButtonDraw(action, (item.itemState & ODS_SELECTED) != 0,
                                               item.itemState == ODS_FOCUS, current);
    const Face& face = faces_[item.CtlID - IDC_TOOL_ZOOM];
    if (plan.faceX >= 0 && face.dc)
        BitBlt(item.hDC, 0, 0, kFaceWidth, kFaceHeight, face.dc, plan.faceX, 0, SRCCOPY);
    if (plan.frame != FaceFrame::None) {
        const RECT frame{0, 0, kFaceWidth, kFaceHeight};
        FrameRect(item.hDC, &frame,
                  static_cast<HBRUSH>(GetStockObject(
                      plan.frame == FaceFrame::LightGray ? LTGRAY_BRUSH : WHITE_BRUSH)));
    }
    return true;
}
