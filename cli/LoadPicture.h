#pragma once
// The first steps: the picture, and its gray levels as the plug-in needs them.

#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "cli/CliFailure.h"
#include "host/image/HostImage.h"
#include "host/readers/ReaderError.h"

// Name used in messages about the built-in picture.
inline constexpr std::string_view kStartupPictureName = "start-up picture";

// Reads path (a BMP or TIFF file, chosen by its first two bytes as the host does), or the
// built-in start-up picture when path is empty. Exit code 2 when the file cannot be
// opened, is of an unknown type, or is refused by its reader. A truncated picture (rows
// missing at the end of the file, or strips missing) is still taken, as the host shows
// it, with one warning line on warnings; the run goes on and exits 0 as before, since
// there is no option yet to make it an error.
StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture,
                       std::ostream& warnings);

// Why the tool refuses a picture: the reader's reason in the tool's own words, naming
// what it reads and never the host program.
std::string_view PictureRefusalText(ReaderError error);

// A picture that is not gray is converted as "Convert to Gray" does; with invert, the
// gray levels are then inverted as "Inverse Grays" does.
StepResult MakeGray(HostImage& picture, bool invert, const std::string& name);
