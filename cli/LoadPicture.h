#pragma once
// The first steps: the picture, and its gray levels as the plug-in needs them.

#include <memory>
#include <string>

#include "cli/CliFailure.h"
#include "host/image/HostImage.h"

// Name used in messages about the built-in picture.
inline constexpr std::string_view kStartupPictureName = "start-up picture";

// Reads path (a BMP or TIFF file, chosen by its first two bytes as the host does), or the
// built-in start-up picture when path is empty. Exit code 2 when the file cannot be
// opened, is of an unknown type, or is refused by its reader.
StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture);

// A picture that is not gray is converted as "Convert to Gray" does; with invert, the
// gray levels are then inverted as "Inverse Grays" does.
StepResult MakeGray(HostImage& picture, bool invert, const std::string& name);
