#pragma once
// Offers a decoded picture to HostImage as the host's own readers would: 8-bit with the
// identity gray ramp for a gray picture, 24-bit blue-green-red for a colour one, so that
// "Convert to Gray" weighs its colours as it weighs a BMP's. A wide picture's samples are
// each rounded to 8 bits first (v / 257), and its 16-bit gray levels go to a WideGray.

#include <cstdint>

#include "host/readers/ImageSource.h"
#include "pictures/PictureDecoder.h"
#include "pictures/WideGray.h"

class DecodedImageSource final : public ImageSource {
  public:
    // decoder must have been made without a refusal; wide is filled (and must be given) for
    // a wide picture only. With alphaHoles a pixel whose alpha is below half becomes black.
    // Both must outlive the source.
    DecodedImageSource(PictureDecoder& decoder, bool alphaHoles, WideGray* wide);

    std::uint16_t Width() const override;
    std::uint16_t Height() const override;
    std::uint16_t BitsPerPixel() const override;
    // Rows the decoder cannot deliver stay zero; the decoder's Why() then says why.
    void ReadAll(std::uint8_t* buffer) override;
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    void ReadPalette(RgbQuad* table) override;
    bool IsValid() const override { return true; }
    void ReportError() override {}

  private:
    PictureDecoder& decoder_;
    bool alphaHoles_;
    WideGray* wide_;
};
