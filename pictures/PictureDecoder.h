#pragma once
// A picture of a format the host does not read (PNG, JPEG, the TIFFs its reader refuses),
// delivered row by row as samples, for DecodedImageSource to turn into what the host
// would hold.
//
// A decoder delivers the whole picture or fails: a missing or short strip, tile or data
// stream, a decoder error, a row the library could not fill, are all failures, never rows
// of gray or black. What the header announces is weighed against the file before anything
// is allocated for the picture, so that a small file cannot claim a huge picture.

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/readers/RowLayout.h"

struct SampleFormat {
    std::uint32_t width = 0, height = 0;
    int channels = 1;  // 1 gray, 2 gray and alpha, 3 red-green-blue, 4 RGB and alpha
    bool wide = false; // samples run 0..65535 (more than 8 bits a sample); else 0..255
};

class PictureDecoder {
  public:
    // maxImageBytes: the most pixel memory the picture may take as the host holds it (and,
    // for a wide picture, as its 16-bit levels); the tool's own limit unless a caller (a
    // fuzzing run) lowers it.
    explicit PictureDecoder(std::uint64_t maxImageBytes) : maxImageBytes_(maxImageBytes) {}
    virtual ~PictureDecoder() = default;
    // Valid once the decoder was made without a refusal.
    const SampleFormat& Format() const { return format_; }
    // Why the file was refused or could not be read to its end, in one line; empty while all
    // is well.
    const std::string& Why() const { return why_; }
    // Writes the next row, top row first, as width x channels samples. false when the file
    // fails here (Why() then says why); no row is read after that.
    virtual bool NextRow(std::uint16_t* samples) = 0;

  protected:
    // Refuses a format the tool cannot hold (no pixels, more than 65535 pixels a side, more
    // than maxImageBytes), before anything is allocated for it. true when it fits.
    bool CheckSize();
    // Whether fileBytes of compressed data that give at most mostPerByte units (pixels or
    // bytes, as the caller counts) per byte can hold `units`, with room for a small picture
    // whatever its file.
    static bool FileCanHold(std::uint64_t units, std::uint64_t fileBytes,
                            std::uint64_t mostPerByte);
    std::uint64_t MaxImageBytes() const { return maxImageBytes_; }
    // The size of an open file, which is left at its start (0 when it cannot be learnt).
    static std::uint64_t SizeOf(std::FILE* file);

    SampleFormat format_;
    std::string why_;

  private:
    std::uint64_t maxImageBytes_;
};
