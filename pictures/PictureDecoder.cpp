#include "pictures/PictureDecoder.h"

#include "pictures/LoadPicture.h"

bool PictureDecoder::CheckSize() {
    constexpr std::uint32_t kMaxSide = 65535;
    if (format_.width == 0 || format_.height == 0) {
        why_ = "the picture has no pixels";
        return false;
    }
    const bool gray = format_.channels <= 2;
    // The 8-bit image as the host holds it and, for a wide picture, its 16-bit levels.
    const std::uint64_t pixels = std::uint64_t{format_.width} * format_.height;
    if (format_.width > kMaxSide || format_.height > kMaxSide ||
        ImageBytes(format_.width, format_.height, gray ? 8 : 24) > maxImageBytes_ ||
        (format_.wide && 2 * pixels > maxImageBytes_)) {
        why_ = PictureRefusalText(ReaderError::ImageTooLarge);
        return false;
    }
    return true;
}

bool PictureDecoder::FileCanHold(std::uint64_t units, std::uint64_t fileBytes,
                                 std::uint64_t mostPerByte) {
    constexpr std::uint64_t kSmallPicture = 64 * 1024;
    // Ratios stay below 2^17: only a file of 2^47 bytes could overflow the product.
    return units <= fileBytes * mostPerByte + kSmallPicture;
}

std::uint64_t PictureDecoder::SizeOf(std::FILE* file) {
    std::fseek(file, 0, SEEK_END);
    const long bytes = std::ftell(file);
    std::rewind(file);
    return bytes > 0 ? static_cast<std::uint64_t>(bytes) : 0;
}
