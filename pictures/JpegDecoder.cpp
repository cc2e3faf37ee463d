#include "pictures/JpegDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <jerror.h>

namespace {
// A progressive picture of a few thousand scans would take minutes to decode for nothing:
// real pictures have about ten.
constexpr int kMaxScans = 500;

// Huffman coding spends at least a bit on every 8 x 8 block of some component (the first
// scan of every component codes its DC values), so one byte holds at most 8 blocks of the
// component with the fewest, each covering 64 pixels times its subsampling. Arithmetic
// coding has no such floor: a file may then give at most 65536 pixels a byte.
constexpr std::uint64_t kPixelsPerBlock = 64;
constexpr std::uint64_t kBlocksPerByte = 8;
constexpr std::uint64_t kMostArithmeticPixelsPerByte = 65536;

constexpr std::string_view kTruncatedText = "the JPEG file is truncated";

// Warnings after which the pixels are not what the file meant: libjpeg fills what it could
// not decode with gray and goes on.
bool LosesData(int code) {
    switch (code) {
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        return true;
    default:
        return false;
    }
}

// The most pixels one byte of the file can give.
std::uint64_t MostPixelsPerByte(const jpeg_decompress_struct& info) {
    if (info.arith_code)
        return kMostArithmeticPixelsPerByte;
    int fewest = info.max_h_samp_factor * info.max_v_samp_factor;
    for (int c = 0; c < info.num_components; ++c)
        fewest =
            std::min(fewest, info.comp_info[c].h_samp_factor * info.comp_info[c].v_samp_factor);
    const auto subsampling = static_cast<std::uint64_t>(
        info.max_h_samp_factor * info.max_v_samp_factor / std::max(1, fewest));
    return kBlocksPerByte * kPixelsPerBlock * subsampling;
}
} // namespace

JpegDecoder::JpegDecoder(const std::string& path, std::uint64_t maxImageBytes)
    : PictureDecoder(maxImageBytes) {
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

// Most warnings are dropped; those that mean lost pixels (the data ending too soon, a
// damaged stretch) stop the decoding there and then, as errors do.
void JpegDecoder::OnMessage(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level >= 0 || (code != JWRN_JPEG_EOF && !LosesData(code)))
        return;
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (code == JWRN_JPEG_EOF) {
        errors->decoder->why_ = kTruncatedText;
    } else {
        char text[JMSG_LENGTH_MAX] = {};
        (*info->err->format_message)(info, text);
        errors->decoder->why_ = std::string("the JPEG file is damaged (") + text + ")";
    }
    std::longjmp(errors->jump, 1);
}

void JpegDecoder::OnProgress(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) {
        auto* errors = reinterpret_cast<ErrorManager*>(info->err);
        errors->decoder->why_ = "the JPEG file has too many scans";
        std::longjmp(errors->jump, 1);
    }
}

bool JpegDecoder::Start() {
    if (setjmp(errors_.jump))
        return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.progress = &progress_;
    const std::uint64_t fileBytes = SizeOf(file_);
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
    if (!FileCanHold(std::uint64_t{format_.width} * format_.height, fileBytes,
                     MostPixelsPerByte(info_))) {
        why_ = kTruncatedText;
        return false;
    }
    jpeg_start_decompress(&info_);
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
    std::copy(row_.begin(), row_.end(), samples);
    return true;
}
