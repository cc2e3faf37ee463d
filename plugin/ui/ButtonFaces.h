#pragma once
// The owner-drawn tool and style buttons: each bitmap holds three 32 x 28 faces side by
// side; the dialog shows the normal face (x 0) or the selected one (x 64) and a frame.

inline constexpr int kFaceWidth = 32;
inline constexpr int kFaceHeight = 28;
inline constexpr int kNormalFaceX = 0;
inline constexpr int kSelectedFaceX = 64;

// What the owner-draw request asks for (draw entire, selection change, focus change).
enum class ButtonDrawAction { Entire, Select, Focus };

enum class FaceFrame { None, White, LightGray };

struct ButtonDrawPlan {
    int faceX; // the face to copy, or -1 for none
    FaceFrame frame;
};

// held: the button is pressed down; focusOnly: the item state is the focus state and
// nothing else; current: the button is the chosen tool or style. A pressed or current
// button shows the selected face; a focus change only redraws the frame, light gray while
// the button has the focus alone.
ButtonDrawPlan PlanButtonDraw(ButtonDrawAction action, bool held, bool focusOnly, bool current);
