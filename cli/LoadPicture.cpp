#include "cli/LoadPicture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/CliOptions.h"
#include "common/EmbeddedResources.h"
#include "host/readers/BmpResourceSource.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/SourceFile.h"

namespace {
// No palette is needed: the tool never draws the picture.
constexpr int kTrueColorScreen = 24;

StepResult BuildFrom(ImageSource& source, const std::string& name,
                     std::unique_ptr<HostImage>& picture) {
    picture = std::make_unique<HostImage>(source, kTrueColorScreen);
    if (picture->Failed())
        return Fail(kExitInput, name, "not enough memory for this picture");
    return std::nullopt;
}
} // namespace

StepResult LoadPicture(const std::string& path, std::unique_ptr<HostImage>& picture) {
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
    CliMessages messages;
    const auto source = CreateImageSource(file, messages);
    if (source == nullptr)
        return Fail(kExitInput, path, kUnknownFileTypeText);
    if (!source->IsValid())
        return Fail(kExitInput, path, messages.LastOr("the picture cannot be read"));
    return BuildFrom(*source, path, picture);
}

StepResult MakeGray(HostImage& picture, bool invert, const std::string& name) {
    if (!picture.IsGray() && !picture.ConvertToGray())
        return Fail(kExitInput, name, "not enough memory to convert the picture to gray");
    if (invert)
        picture.InvertGrays();
    return std::nullopt;
}
