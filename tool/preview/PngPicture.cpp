#include <png.h>

#include "tool/preview/PictureFile.h"

bool EncodePng(const GrayPicture& picture, std::vector<std::uint8_t>& bytes, std::string& reason) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_GRAY;
    // The first call measures, the second encodes.
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, picture.pixels.data(), picture.width,
                                  nullptr)) {
        bytes.resize(size);
        if (png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.pixels.data(),
                                      picture.width, nullptr)) {
            bytes.resize(size);
            return true;
        }
    }
    reason = image.message[0] ? image.message : "the PNG encoder failed";
    png_image_free(&image);
    return false;
}
