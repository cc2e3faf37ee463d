#include "pictures/DecodePicture.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <new>

#include "pictures/DecodedImageSource.h"
#include "pictures/JpegDecoder.h"
#include "pictures/PngDecoder.h"
#include "pictures/TiffDecoder.h"

namespace {
// No palette is needed: the tool never draws the picture.
constexpr int kTrueColorScreen = 24;
} // namespace

PictureKind PictureKindOf(const std::string& path) {
    static constexpr std::array<char, 8> kPng = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
    static constexpr std::array<char, 3> kJpeg = {'\xFF', '\xD8', '\xFF'};
    std::array<char, 8> first{};
    std::ifstream file(path, std::ios::binary);
    file.read(first.data(), first.size());
    const auto got = static_cast<std::size_t>(file.gcount());
    const auto starts = [&](const auto& signature) {
        return got >= signature.size() &&
               std::equal(signature.begin(), signature.end(), first.begin());
    };
    return starts(kPng)    ? PictureKind::kPng
           : starts(kJpeg) ? PictureKind::kJpeg
                           : PictureKind::kOther;
}

std::unique_ptr<PictureDecoder> MakeDecoder(PictureKind kind, const std::string& path,
                                            std::uint64_t maxImageBytes) {
    switch (kind) {
    case PictureKind::kPng:
        return std::make_unique<PngDecoder>(path, maxImageBytes);
    case PictureKind::kJpeg:
        return std::make_unique<JpegDecoder>(path, maxImageBytes);
    default:
        return std::make_unique<TiffDecoder>(path, maxImageBytes);
    }
}

StepResult BuildHostImage(ImageSource& source, const std::string& name,
                          std::unique_ptr<HostImage>& image) {
    image = std::make_unique<HostImage>(source, kTrueColorScreen);
    if (image->Failed())
        return Fail(kExitInput, name, "not enough memory for this picture");
    return std::nullopt;
}

StepResult BuildDecoded(PictureDecoder& decoder, const std::string& path, bool alphaHoles,
                        std::unique_ptr<HostImage>& image, std::optional<WideGray>& wide) {
    StepResult built;
    try {
        if (decoder.Format().wide)
            wide.emplace();
        DecodedImageSource source(decoder, alphaHoles, wide ? &*wide : nullptr);
        built = BuildHostImage(source, path, image);
    } catch (const std::bad_alloc&) {
        built = Fail(kExitInput, path, "not enough memory for this picture");
    }
    if (built) {
        image.reset();
        wide.reset();
        return built;
    }
    if (!decoder.Why().empty()) {
        image.reset();
        wide.reset();
        return Fail(kExitInput, path, decoder.Why());
    }
    return std::nullopt;
}
