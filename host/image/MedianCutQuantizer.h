#pragma once
// Chooses up to maxColors display colours for a 24-bit picture by median cut over a
// histogram of its colours at 6 bits per channel. Only computes colours: the picture's
// pixels are not remapped.

#include <array>
#include <cstdint>
#include <vector>

// A box of colour cells: every cell whose channels (0 red, 1 green, 2 blue) all lie
// between min and max inclusive; count is the number of pixels in it.
struct ColorBox {
    std::uint16_t min[3];
    std::uint16_t max[3];
    std::uint32_t count;
};

class MedianCutQuantizer {
  public:
    // pixels: height rows of 24-bit pixels (blue, green, red), 4-byte padded; not owned.
    // maxColors is at most 256.
    MedianCutQuantizer(std::uint16_t maxColors, std::uint16_t width, std::uint16_t height,
                       const std::uint8_t* pixels);
    virtual ~MedianCutQuantizer() = default;

    // Builds the colours; false (and nothing done) when the histogram memory cannot be had.
    bool Run();
    // 256 entries of (red, green, blue), 6-bit values, sorted dark to light; entries past
    // the boxes made stay zero.
    const std::uint8_t* SortedColors() const { return sortedColors_.data(); }
    std::uint16_t BoxCount() const { return boxCount_; }

  private:
    std::uint64_t PlaneSum(const ColorBox& box, int axis, std::uint16_t v) const;
    void Shrink(ColorBox& box) const;
    void CutBoxes();
    bool SplitLargestBox();
    void AverageAndSort();

    std::uint16_t width_, height_;
    std::uint32_t pixelCount_;
    std::uint16_t maxColors_;
    std::uint32_t rowBytes_;
    const std::uint8_t* pixels_;
    std::vector<std::uint32_t> histogram_; // 2^18 counters, held only during Run
    std::uint16_t boxCount_ = 0;
    std::array<ColorBox, 256> boxes_{};
    std::array<std::uint8_t, 256 * 3> colors_{};
    std::array<std::uint8_t, 256 * 3> sortedColors_{};
};
