#include "pictures/LoadPicture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "common/EmbeddedResources.h"
#include "host/readers/BmpResourceSource.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/SourceFile.h"
#include "pictures/DecodePicture.h"

std::string_view PictureRefusalText(ReaderError error) {
    switch (error) {
    case ReaderError::UnsupportedBitsPerPixel:
        return "quorvmesh only supports 1, 4, 8 and 24 bits-per-pixel images. This image "
               "cannot be opened.";
    case ReaderError::UnsupportedCompression:
        return "This image uses a form of compression which is not supported by quorvmesh "
               "(BMP: none, RLE8 or RLE4). The image cannot be opened.";
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

StepResult LoadPicture(const std::string& path, const PictureOptions& options,
                       LoadedPicture& picture, std::ostream& warnings) {
    picture.wide.reset();
    if (path.empty()) {
        EmbeddedResources resources;
        BmpResourceSource source(resources.Find("Logo"));
        return BuildHostImage(source, std::string(kStartupPictureName), picture.image);
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return Fail(kExitInput, path, "is a folder, not a picture");
    SourceFile file(path);
    if (!file.IsOpen())
        return Fail(kExitInput, path, std::strerror(errno));
    const PictureKind kind = PictureKindOf(path);
    std::unique_ptr<FileImageSource> source;
    if (kind == PictureKind::kOther) {
        CliMessages messages; // the readers' boxes name the host: the tool words its own
        source = CreateImageSource(file, messages);
        if (source == nullptr)
            return Fail(kExitInput, path, kUnknownFileTypeText);
        if (!source->IsValid() && DetectFileKind(file) == FileKind::Bmp)
            return Fail(kExitInput, path, PictureRefusalText(source->Error()));
    }
    if (source == nullptr || !source->IsValid()) { // PNG, JPEG, or a TIFF for libtiff
        const auto decoder = MakeDecoder(kind, path);
        if (!decoder->Why().empty())
            return Fail(kExitInput, path, decoder->Why());
        return BuildDecoded(*decoder, path, options.alphaHoles, picture.image, picture.wide);
    }
    if (auto failure = BuildHostImage(*source, path, picture.image))
        return failure;
    // The missing rows stay black, as the host shows them; the mesh is still made (exit
    // 0), but never without a word.
    if (source->RowsPresent() < picture.image->Height())
        warnings << "quorvmesh: " << path << ": picture is truncated: " << source->RowsPresent()
                 << " of " << picture.image->Height() << " rows present\n";
    return std::nullopt;
}

StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture,
                       std::ostream& warnings) {
    LoadedPicture loaded;
    auto failure = LoadPicture(path, PictureOptions{}, loaded, warnings);
    picture = std::move(loaded.image);
    return failure;
}

StepResult MakeGray(HostImage& picture, bool invert, const std::string& name) {
    if (!picture.IsGray() && !picture.ConvertToGray())
        return Fail(kExitInput, name, "not enough memory to convert the picture to gray");
    if (invert)
        picture.InvertGrays();
    return std::nullopt;
}

StepResult MakeGray(LoadedPicture& picture, bool invert, const std::string& name) {
    if (auto failure = MakeGray(*picture.image, invert, name))
        return failure;
    if (invert && picture.wide)
        for (std::uint16_t& level : picture.wide->levels)
            level = static_cast<std::uint16_t>(65535 - level);
    return std::nullopt;
}
