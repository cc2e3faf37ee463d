#pragma once
// The six tool and style button bitmaps (resources 150 to 155), each selected into a memory
// device context of its own for as long as the dialog is open, and the owner-draw of the
// buttons from them.

#include <windows.h>

#include <array>

class ButtonFaceBitmaps {
  public:
    // Loads the bitmaps from instance; a bitmap that cannot be had leaves its button blank.
    explicit ButtonFaceBitmaps(HINSTANCE instance);
    // Deselects and deletes the bitmaps and deletes the device contexts.
    ~ButtonFaceBitmaps();
    ButtonFaceBitmaps(const ButtonFaceBitmaps&) = delete;
    ButtonFaceBitmaps& operator=(const ButtonFaceBitmaps&) = delete;

    // Draws button item->CtlID (150..155) for the request; current: it is the chosen tool
    // or style. False for any other control.
    bool Draw(const DRAWITEMSTRUCT& item, bool current) const;

  private:
    struct Face {
        HBITMAP bitmap = nullptr;
        HDC dc = nullptr;
        HGDIOBJ previous = nullptr;
    };
    std::array<Face, 6> faces_{};
};
