#include "cli/pictures/PictureDecoder.h"

#include "cli/LoadPicture.h"
#include "host/readers/RowLayout.h"

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
        ImageBytes(format_.width, format_.height, gray ? 8 : 24) > kMaxImageBytes ||
        (format_.wide && 2 * pixels > kMaxImageBytes)) {
        why_ = PictureRefusalText(ReaderError::ImageTooLarge);
        return false;
    }
    return true;
}
