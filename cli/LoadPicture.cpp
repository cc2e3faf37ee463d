#include "cli/LoadPicture.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cli/CliOptions.h"
#include "common/EmbeddedResources.h"
#include "host/readers/BmpResourceSource.h"
#include "host/readers/ByteReader.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/SourceFile.h"

namespace {
// No palette is needed: the tool never draws the picture.
constexpr int kTrueColorScreen = 24;

constexpr std::string_view kOtherPictureText =
    "not a BMP or TIFF picture (convert it, e.g. with ImageMagick)";

// Pictures a user is likely to try first, known by their signatures, so that they are
// told what to do rather than only that the type is unknown.
bool IsOtherKnownPicture(ByteSource& file) {
    static constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P',  'N',  'G',
                                                         '\r', '\n', 0x1A, '\n'};
    static constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
    if (!file.Open())
        return false;
    std::array<std::uint8_t, 8> first{};
    ByteReader reader(file);
    const std::size_t got = reader.Read(first.data(), first.size());
    file.Close();
    const auto starts = [&](const auto& signature) {
        return got >= signature.size() &&
               std::equal(signature.begin(), signature.end(), first.begin());
    };
    return starts(kPng) || starts(kJpeg);
}

StepResult BuildFrom(ImageSource& source, const std::string& name,
                     std::unique_ptr<HostImage>& picture) {
    picture = std::make_unique<HostImage>(source, kTrueColorScreen);
    if (picture->Failed())
        return Fail(kExitInput, name, "not enough memory for this picture");
    return std::nullopt;
}
} // namespace

std::string_view PictureRefusalText(ReaderError error) {
    switch (error) {
    case ReaderError::UnsupportedBitsPerPixel:
        return "quorvmesh only supports 1, 4, 8 and 24 bits-per-pixel images. This image "
               "cannot be opened.";
    case ReaderError::UnsupportedCompression:
        return "This image uses a form of compression which is not supported by quorvmesh "
               "(BMP: none, RLE8 or RLE4; TIFF: none or PackBits). The image cannot be opened.";
    case ReaderError::ImageTooLarge:
        return "This image is too large for quorvmesh (at most 65535 pixels each way and 512 "
               "MB of pixels). The image cannot be opened.";
    case ReaderError::UnsupportedBmpHeader:
        return "This BMP file uses an old header format which is not supported by quorvmesh. "
               "The image cannot be opened.";
    case ReaderError::TiledTiff:
        return "This TIFF file stores its image in tiles; quorvmesh reads only TIFF files "
               "stored in strips. The image cannot be opened.";
    default: // the readers' own texts name no program
        return ReaderErrorText(error);
    }
}

StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture,
                       std::ostream& warnings) {
    if (path.empty()) {
        EmbeddedResources resources;
        BmpResourceSource source(resources.Find("Logo"));
        return BuildFrom(source, std::string(kStartupPictureName), picture);
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return Fail(kExitInput, path, "is a folder, not a picture");
    SourceFile file(path);
    if (!file.IsOpen())
        return Fail(kExitInput, path, std::strerror(errno));
    CliMessages messages; // the readers' boxes name the host: the tool words its own
    const auto source = CreateImageSource(file, messages);
    if (source == nullptr)
        return Fail(kExitInput, path,
                    IsOtherKnownPicture(file) ? kOtherPictureText : kUnknownFileTypeText);
    if (!source->IsValid())
        return Fail(kExitInput, path, PictureRefusalText(source->Error()));
    if (auto failure = BuildFrom(*source, path, picture))
        return failure;
    // The missing rows stay black, as the host shows them; the mesh is still made (exit
    // 0), but never without a word.
    if (source->RowsPresent() < picture->Height())
        warnings << "quorvmesh: " << path << ": picture is truncated: " << source->RowsPresent()
                 << " of " << picture->Height() << " rows present\n";
    return std::nullopt;
}

StepResult MakeGray(HostImage& picture, bool invert, const std::string& name) {
    if (!picture.IsGray() && !picture.ConvertToGray())
        return Fail(kExitInput, name, "not enough memory to convert the picture to gray");
    if (invert)
        picture.InvertGrays();
    return std::nullopt;
}
