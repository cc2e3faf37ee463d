#pragma once
// The first steps: the picture, and its gray levels as the plug-in needs them.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/image/HostImage.h"
#include "host/readers/ReaderError.h"
#include "pictures/WideGray.h"
#include "toolbase/CliFailure.h"

// Name used in messages about the built-in picture.
inline constexpr std::string_view kStartupPictureName = "start-up picture";

struct PictureOptions {
    bool alphaHoles = false; // --alpha-holes: a pixel less than half opaque becomes black
};

struct LoadedPicture {
    std::unique_ptr<HostImage> image; // the 8-bit picture the plug-in would see
    std::optional<WideGray> wide;     // only for pictures with more than 8 bits a sample
};

// Reads path, or the built-in start-up picture when path is empty. BMP files and the TIFF
// files the host reads (chosen by their first two bytes, as the host does) go through the
// host's readers, as the plug-in sees them. PNG and JPEG files (chosen by their first
// bytes) and the TIFF files the host's reader refuses go through libpng, libjpeg and
// libtiff: a gray picture becomes 8-bit gray, a colour one 24-bit (wider samples rounded
// to 8 bits); 16-bit and float pictures also keep their gray levels in picture.wide, and
// with options.alphaHoles a pixel less than half opaque is black in both.
// Exit code 2 when the file cannot be opened, is of an unknown type, is refused by its
// reader, or is damaged or truncated (PNG, JPEG and the libtiff TIFFs). A BMP or host
// TIFF with rows missing at the end (or strips missing) is still taken, as the host shows
// it, with one warning line on warnings; the run goes on and exits 0.
StepResult LoadPicture(const std::string& path, const PictureOptions& options,
                       LoadedPicture& picture, std::ostream& warnings);
// The 8-bit picture alone, with the default options.
StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture,
                       std::ostream& warnings);

// Why the tool refuses a picture: the reader's reason in the tool's own words, naming
// what it reads and never the host program.
std::string_view PictureRefusalText(ReaderError error);

// A picture that is not gray is converted as "Convert to Gray" does; with invert, the
// gray levels are then inverted as "Inverse Grays" does.
StepResult MakeGray(HostImage& picture, bool invert, const std::string& name);
// The same for a loaded picture; with invert its wide levels v become 65535 - v too.
StepResult MakeGray(LoadedPicture& picture, bool invert, const std::string& name);
