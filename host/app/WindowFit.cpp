#include "host/app/WindowFit.h"

#include <algorithm>

OuterSize FitOuterSize(int imageWidth, int imageHeight, int windowWidth, int windowHeight,
                       int clientWidth, int clientHeight) {
    const int width = imageWidth + (windowWidth - clientWidth);
    const int height = imageHeight + (windowHeight - clientHeight);
    return {std::max(width, kMinimumOuterWidth), height};
}
