#include "tool/preview/PictureFile.h"

#include <cerrno>
#include <cstring>

#include "plugin/export/StdioOutputFile.h"
#include "toolbase/TextCase.h"

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes,
                std::string& reason) {
    StdioOutputFile file;
    if (file.Create(path) && file.Write(bytes.data(), bytes.size()) && file.Close())
        return true;
    reason = std::strerror(file.Error() != 0 ? file.Error() : EIO);
    file.Discard();
    return false;
}

} // namespace

bool IsPictureFileName(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension == ".png" || extension == ".bmp";
}

std::vector<std::uint8_t> EncodeBmp(const GrayPicture& picture) {
    constexpr std::uint32_t kHeaders = 14 + 40, kColours = 256;
    const std::uint32_t width = static_cast<std::uint32_t>(picture.width);
    const std::uint32_t height = static_cast<std::uint32_t>(picture.height);
    const std::uint32_t stride = (width + 3) & ~3u;
    const std::uint32_t offset = kHeaders + 4 * kColours;
    std::vector<std::uint8_t> out;
    out.reserve(offset + stride * height);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + stride * height);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, 40);
    PutU32(out, width);
    PutU32(out, height); // positive: bottom row first
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0); // uncompressed
    PutU32(out, stride * height);
    PutU32(out, 2835); // 72 dpi
    PutU32(out, 2835);
    PutU32(out, kColours);
    PutU32(out, 0);
    for (std::uint32_t i = 0; i < kColours; ++i) {
        const auto gray = static_cast<std::uint8_t>(i);
        out.insert(out.end(), {gray, gray, gray, 0});
    }
    for (std::uint32_t row = height; row-- > 0;) {
        const auto first = picture.pixels.begin() + std::ptrdiff_t(row) * width;
        out.insert(out.end(), first, first + width);
        out.insert(out.end(), stride - width, 0);
    }
    return out;
}

bool WriteGrayPicture(const std::string& path, const GrayPicture& picture, std::string& error) {
    std::string reason;
    const std::string extension = LowerExtension(path);
    bool written = false;
    if (extension == ".png") {
        std::vector<std::uint8_t> bytes;
        written = EncodePng(picture, bytes, reason) && WriteBytes(path, bytes, reason);
    } else if (extension == ".bmp")
        written = WriteBytes(path, EncodeBmp(picture), reason);
    else
        reason = "the name must end in .png or .bmp";
    if (!written)
        error = "Cannot write the preview picture \"" + path + "\": " + reason;
    return written;
}
