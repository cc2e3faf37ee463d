// The face and frame of an owner-drawn tool or style button for each draw request.

#include <gtest/gtest.h>

#include "plugin/ui/ButtonFaces.h"

namespace {

TEST(ButtonFaces, CurrentOrHeldButtonsShowTheSelectedFace) {
    for (const ButtonDrawAction action : {ButtonDrawAction::Entire, ButtonDrawAction::Select}) {
        EXPECT_EQ(PlanButtonDraw(action, false, false, false).faceX, kNormalFaceX);
        EXPECT_EQ(PlanButtonDraw(action, true, false, false).faceX, kSelectedFaceX);
        EXPECT_EQ(PlanButtonDraw(action, false, false, true).faceX, kSelectedFaceX);
        EXPECT_EQ(PlanButtonDraw(action, true, true, true).faceX, kSelectedFaceX);
    }
}

TEST(ButtonFaces, FramesFollowTheFocusAlone) {
    EXPECT_EQ(PlanButtonDraw(ButtonDrawAction::Entire, false, true, false).frame,
              FaceFrame::LightGray);
    EXPECT_EQ(PlanButtonDraw(ButtonDrawAction::Entire, true, false, true).frame, FaceFrame::White);
    // A selection change ends after the face.
    EXPECT_EQ(PlanButtonDraw(ButtonDrawAction::Select, false, true, false).frame, FaceFrame::None);
    // A focus change draws only the frame.
    const ButtonDrawPlan focus = PlanButtonDraw(ButtonDrawAction::Focus, false, true, true);
    EXPECT_EQ(focus.faceX, -1);
    EXPECT_EQ(focus.frame, FaceFrame::LightGray);
    EXPECT_EQ(PlanButtonDraw(ButtonDrawAction::Focus, false, false, true).frame, FaceFrame::White);
}

} // namespace
