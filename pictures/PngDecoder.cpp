#include "pictures/PngDecoder.h"

#include <cerrno>
#include <csetjmp>
#include <cstring>

#include "host/readers/RowLayout.h"

namespace {
// Deflate turns one byte into at most 1032 (a 258-byte match costs two bits at best); a
// file that claims more rows than its bytes can give is refused before the picture's
// memory is taken.
constexpr std::uint64_t kMaxDeflateExpansion = 1032;

constexpr std::string_view kTruncatedText = "the PNG file is truncated";
} // namespace

PngDecoder::PngDecoder(const std::string& path, std::uint64_t maxImageBytes)
    : PictureDecoder(maxImageBytes) {
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        why_ = std::strerror(errno);
        return;
    }
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError,
                                  [](png_structp, png_const_charp) {});
    if (png_ != nullptr)
        info_ = png_create_info_struct(png_);
    if (info_ == nullptr) {
        why_ = "not enough memory for this picture";
        return;
    }
    png_set_read_fn(png_, this, ReadBytes);
    if (!ReadHeader() && why_.empty())
        why_ = "the PNG file is damaged";
}

PngDecoder::~PngDecoder() {
    if (png_ != nullptr)
        png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
    if (file_ != nullptr)
        std::fclose(file_);
}

void PngDecoder::ReadBytes(png_structp png, png_bytep data, std::size_t length) {
    auto* self = static_cast<PngDecoder*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, self->file_) != length) {
        self->truncated_ = true;
        png_error(png, "truncated");
    }
}

void PngDecoder::OnError(png_structp png, png_const_charp message) {
    auto* self = static_cast<PngDecoder*>(png_get_error_ptr(png));
    if (self->truncated_)
        self->why_ = kTruncatedText;
    else
        self->why_ = std::string("the PNG file is damaged (") + message + ")";
    png_longjmp(png, 1);
}

bool PngDecoder::ReadHeader() {
    const std::uint64_t fileBytes = SizeOf(file_);
    if (setjmp(png_jmpbuf(png_)))
        return false;
    png_read_info(png_, info_);
    const png_byte colorType = png_get_color_type(png_, info_);
    const int fileDepth = png_get_bit_depth(png_, info_);
    // The rows as stored: a filter byte, then the samples packed at the file's own depth.
    const std::uint64_t storedRowBytes = (std::uint64_t{png_get_image_width(png_, info_)} *
                                              png_get_channels(png_, info_) * fileDepth +
                                          7) /
                                             8 +
                                         1;
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png_);
    if (colorType == PNG_COLOR_TYPE_GRAY && fileDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png_);
    if (png_get_valid(png_, info_, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png_);
    interlaced_ = png_set_interlace_handling(png_) > 1;
    png_read_update_info(png_, info_);

    format_.width = png_get_image_width(png_, info_);
    format_.height = png_get_image_height(png_, info_);
    format_.channels = png_get_channels(png_, info_);
    format_.wide = png_get_bit_depth(png_, info_) == 16;
    if (!CheckSize())
        return false;
    rowBytes_ = png_get_rowbytes(png_, info_);
    if (!FileCanHold(storedRowBytes * format_.height, fileBytes, kMaxDeflateExpansion)) {
        why_ = kTruncatedText;
        return false;
    }
    // An interlaced picture is only whole after its last pass: all of it is kept.
    if (interlaced_ && std::uint64_t{rowBytes_} * format_.height > MaxImageBytes()) {
        why_ = "this interlaced PNG picture is too large for quorvmesh; save it without "
               "interlacing";
        return false;
    }
    return true;
}

bool PngDecoder::ReadInterlaced() {
    rows_.resize(rowBytes_ * format_.height);
    std::vector<png_bytep> pointers(format_.height);
    for (std::uint32_t y = 0; y < format_.height; ++y)
        pointers[y] = rows_.data() + y * rowBytes_;
    if (setjmp(png_jmpbuf(png_)))
        return false;
    png_read_image(png_, pointers.data());
    return true;
}

bool PngDecoder::ReadRow(png_byte* row) {
    if (setjmp(png_jmpbuf(png_)))
        return false;
    png_read_row(png_, row, nullptr);
    return true;
}

bool PngDecoder::NextRow(std::uint16_t* samples) {
    if (!why_.empty() || nextRow_ >= format_.height)
        return false;
    const png_byte* row = nullptr;
    if (interlaced_) {
        if (nextRow_ == 0 && !ReadInterlaced())
            return false;
        row = rows_.data() + nextRow_ * rowBytes_;
    } else {
        rows_.resize(rowBytes_);
        if (!ReadRow(rows_.data()))
            return false;
        row = rows_.data();
    }
    ++nextRow_;
    const std::size_t count = std::size_t{format_.width} * format_.channels;
    for (std::size_t i = 0; i < count; ++i) // 16-bit samples are stored big-endian
        samples[i] =
            format_.wide ? static_cast<std::uint16_t>(row[2 * i] << 8 | row[2 * i + 1]) : row[i];
    return true;
}
