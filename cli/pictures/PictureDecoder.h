#pragma once
// A picture of a format the host does not read (PNG, JPEG, the TIFFs its reader refuses),
// delivered row by row as samples, for DecodedImageSource to turn into what the host
// would hold.

#include <cstdint>
#include <string>

struct SampleFormat {
    std::uint32_t width = 0, height = 0;
    int channels = 1;  // 1 gray, 2 gray and alpha, 3 red-green-blue, 4 RGB and alpha
    bool wide = false; // samples run 0..65535 (more than 8 bits a sample); else 0..255
};

class PictureDecoder {
  public:
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
    // than the host's pixel memory), before anything is allocated for it. true when it fits.
    bool CheckSize();

    SampleFormat format_;
    std::string why_;
};
