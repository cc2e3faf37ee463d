#pragma once
// The current picture of the host: a DibImage that knows whether it is gray, with the two
// gray-level commands. Only an 8-bit picture with an identity gray ramp is gray.

#include "host/image/DibImage.h"

class HostImage : public DibImage {
  public:
    HostImage(ImageSource& source, int screenBitsPerPixel);

    bool IsGray() const { return isGray_ != 0; }
    // Whether the logical palette is an identity gray ramp (every eighth entry is looked at;
    // blue is not).
    bool IsGrayPalette() const;
    // Turns the picture, whatever its bit count, into 8-bit gray with an identity ramp.
    // false, with the picture unchanged, when the memory for the new rows cannot be had.
    // IsGray() is left as it was; the caller decides what the menu shows.
    bool ConvertToGray();
    // Every byte of the pixel rows, padding included, becomes 255 minus itself.
    void InvertGrays();

  private:
    std::uint32_t isGray_ = 0;
};
