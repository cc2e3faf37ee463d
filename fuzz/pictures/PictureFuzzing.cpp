#include "fuzz/pictures/PictureFuzzing.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "pictures/DecodePicture.h"
#include "pictures/LoadPicture.h"

namespace {
// The decoders' own rule keeps what a file can claim in proportion to its size; the lower
// limit keeps each run short, so that the fuzzer tries many inputs rather than a few large
// pictures.
constexpr std::uint64_t kFuzzImageBytes = 1 << 20;

// The decoders read files: the input is written to one of this process's own.
std::string InputFile(const std::uint8_t* data, std::size_t size) {
    const auto path =
        std::filesystem::temp_directory_path() / ("qm-fuzz-picture-" + std::to_string(::getpid()));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return {};
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? path.string() : std::string();
}
} // namespace

int FuzzPictureDecoders(const std::uint8_t* data, std::size_t size) {
    const std::string path = InputFile(data, size);
    if (path.empty())
        return 0;
    for (PictureKind kind : {PictureKind::kPng, PictureKind::kJpeg, PictureKind::kOther}) {
        for (bool alphaHoles : {false, true}) {
            const auto decoder = MakeDecoder(kind, path, kFuzzImageBytes);
            if (!decoder->Why().empty())
                break;
            LoadedPicture picture;
            if (!BuildDecoded(*decoder, path, alphaHoles, picture.image, picture.wide))
                MakeGray(picture, true, path);
        }
    }
    std::filesystem::remove(path);
    return 0;
}
