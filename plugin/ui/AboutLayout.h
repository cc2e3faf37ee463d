#pragma once
// The About box's geometry and the rules of its face click, in client pixels of the box.

#include <array>
#include <cstdint>

struct AboutRect {
    int x;
    int y;
    int width;
    int height;
};

// The box's window, caption and frame included; it is centred on the screen when it opens.
// Everything below is in client pixels and fits inside the client area that is left.
inline constexpr int kAboutWidth = 504;
inline constexpr int kAboutHeight = 290;

// Where the buttons go (their sizes stay as the template gives them).
inline constexpr int kAboutButtonX = 416;
inline constexpr int kAboutOkY = 194;
inline constexpr int kAboutHelpY = 224;

// The pictures, in the order the box paints them. Each rect is where a picture is copied
// to and how much of it is copied; every bitmap resource is at least that large.
enum AboutPicture { kAboutFace, kAboutProductLogo, kAboutSmallPrint, kAboutMakerLogo };
inline constexpr std::array<AboutRect, 4> kAboutPictures{{
    {12, 12, 228, 236},  // the face, normal or squashed
    {246, 12, 230, 50},  // QM_LGO
    {246, 66, 232, 122}, // SMALLPRT
    {246, 198, 170, 46}, // TRELL
}};

// How long the squashed face stays, in milliseconds of the tick count.
inline constexpr std::uint32_t kSquashedFaceTicks = 800;

// Top-left corner of the window centred on a screen of the given size.
int AboutCentredX(int screenWidth);
int AboutCentredY(int screenHeight);

// True for a press at (x, y) that squashes the face: 12 <= x < 240, 12 <= y < 248.
bool IsOnAboutFace(int x, int y);

// Screens of 8 bits per pixel or fewer get the black-and-white faces.
bool UsesOneBitFaces(int bitsPerPixel);

// True once `wait` ticks have passed since `start`. The tick count wraps after 49.7 days,
// so the difference is taken unsigned, which stays right across the wrap.
bool TickWaitOver(std::uint32_t start, std::uint32_t now, std::uint32_t wait);
