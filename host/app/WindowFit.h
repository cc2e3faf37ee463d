#pragma once
// The outer size that gives the main window a client area of an image's size, as far as
// the window's smallest width allows.

struct OuterSize {
    int width;
    int height;
};

// Narrower windows would fold the menu bar into several lines.
inline constexpr int kMinimumOuterWidth = 180;

// window*: the present outer size; client*: the present client size. The frame, caption
// and menu keep their sizes, so the difference between the two is added to the image's.
OuterSize FitOuterSize(int imageWidth, int imageHeight, int windowWidth, int windowHeight,
                       int clientWidth, int clientHeight);
