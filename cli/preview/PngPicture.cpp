#include <png.h>

#include "cli/preview/PictureFile.h"

bool WritePng(const std::string& path, const GrayPicture& picture, std::string& reason) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_GRAY;
    if (png_image_write_to_file(&image, path.c_str(), 0, picture.pixels.data(), picture.width,
                                nullptr)) {
        return true;
    }
    reason = image.message[0] ? image.message : "the PNG encoder failed";
    png_image_free(&image);
    return false;
}
