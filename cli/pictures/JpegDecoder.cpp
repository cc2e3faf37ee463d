#include "cli/pictures/JpegDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <jerror.h>

namespace {
// A progressive picture of a few thousand scans would take minutes to decode for nothing:
// real pictures have about ten.
constexpr int kMaxScans = 500;

// Huffman coding spends at least a bit on every 8 x 8 block of the first component, so a
// file of n bytes holds at most 512 n pixels; a header claiming more is a truncated file,
// refused before the picture's memory is taken. Arithmetic coding has no such floor.
constexpr std::uint64_t kMaxPixelsPerByte = 512;
constexpr std::uint64_t kSmallPicture = 64 * 1024;

constexpr std::string_view kTruncatedText = "the JPEG file is truncated";
} // namespace

JpegDecoder::JpegDecoder(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        why_ = std::strerror(errno);
        return;
    }
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = OnError;
    errors_.manager.emit_message = OnMessage;
    errors_.decoder = this;
    progress_.progress_monitor = OnProgress;
    if (!Start() && why_.empty())
        why_ = "the JPEG file is damaged";
}

JpegDecoder::~JpegDecoder() {
    if (created_)
        jpeg_destroy_decompress(&info_);
    if (file_ != nullptr)
        std::fclose(file_);
}

void JpegDecoder::OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    errors->decoder->why_ = std::string("the JPEG file is damaged (") + text + ")";
    std::longjmp(errors->jump, 1);
}

// Warnings are dropped, but the end of the data coming too soon is a truncated file, which
// libjpeg would fill up with gray.
void JpegDecoder::OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(info->err)->decoder->truncated_ = true;
}

void JpegDecoder::OnProgress(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) {
        auto* errors = reinterpret_cast<ErrorManager*>(info->err);
        errors->decoder->why_ = "the JPEG file has too many scans";
        std::longjmp(errors->jump, 1);
    }
}

bool JpegDecoder::Truncated() {
    if (truncated_)
        why_ = kTruncatedText;
    return truncated_;
}

bool JpegDecoder::Start() {
    if (setjmp(errors_.jump))
        return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.progress = &progress_;
    std::fseek(file_, 0, SEEK_END);
    const auto fileBytes = static_cast<std::uint64_t>(std::max(0L, std::ftell(file_)));
    std::rewind(file_);
    jpeg_stdio_src(&info_, file_);
    jpeg_read_header(&info_, TRUE);
    switch (info_.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info_.out_color_space = JCS_GRAYSCALE;
        format_.channels = 1;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        why_ = "CMYK JPEG pictures are not supported; save it as RGB or gray";
        return false;
    default:
        info_.out_color_space = JCS_RGB;
        format_.channels = 3;
        break;
    }
    format_.width = info_.image_width;
    format_.height = info_.image_height;
    if (!CheckSize())
        return false;
    if (!info_.arith_code && std::uint64_t{format_.width} * format_.height >
                                 fileBytes * kMaxPixelsPerByte + kSmallPicture) {
        why_ = kTruncatedText;
        return false;
    }
    jpeg_start_decompress(&info_);
    if (Truncated())
        return false;
    row_.resize(std::size_t{format_.width} * format_.channels);
    return true;
}

bool JpegDecoder::ReadRow(JSAMPLE* row) {
    if (setjmp(errors_.jump))
        return false;
    JSAMPROW rows[] = {row};
    return jpeg_read_scanlines(&info_, rows, 1) == 1;
}

bool JpegDecoder::NextRow(std::uint16_t* samples) {
    if (!why_.empty() || info_.output_scanline >= info_.output_height)
        return false;
    if (!ReadRow(row_.data())) {
        if (why_.empty())
            why_ = "the JPEG file is damaged";
        return false;
    }
    if (Truncated())
        return false;
    std::copy(row_.begin(), row_.end(), samples);
    return true;
}
