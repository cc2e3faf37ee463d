#pragma once
// The picture the main window shows at start, so that there is always a current image:
// the raw data resource "Logo", a complete BMP file.

#include <memory>

#include "common/ResourceBytes.h"
#include "host/image/HostImage.h"

inline constexpr const char* kStartupPictureName = "Logo";

// The start-up picture built from resources; null when the resource is missing, cannot
// be read or its memory cannot be had (the program cannot run then).
std::unique_ptr<HostImage> LoadStartupPicture(const ResourceBytes& resources,
                                              int screenBitsPerPixel);
