#pragma once
// JPEG pictures through libjpeg: gray, and colour (YCbCr or RGB) as RGB. CMYK pictures are
// refused. libjpeg's own error handling would end the program: its errors come back here.

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "pictures/PictureDecoder.h"

class JpegDecoder final : public PictureDecoder {
  public:
    // Reads the header of the JPEG file at path; Why() is not empty when it is refused.
    JpegDecoder(const std::string& path, std::uint64_t maxImageBytes);
    ~JpegDecoder() override;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool NextRow(std::uint16_t* samples) override;

  private:
    struct ErrorManager {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
        JpegDecoder* decoder;
    };

    bool Start();
    bool ReadRow(JSAMPLE* row);
    static void OnError(j_common_ptr info);
    static void OnMessage(j_common_ptr info, int level);
    static void OnProgress(j_common_ptr info);

    std::FILE* file_ = nullptr;
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
    std::vector<JSAMPLE> row_;
};
