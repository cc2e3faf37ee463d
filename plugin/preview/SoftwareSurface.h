#pragma once
// An 8-bit gray drawing surface in memory that draws as the dialog's canvas does: polygons
// filled by the alternate rule with the right and bottom edges left out (a pixel is inside
// when its integer position is, or lies on a left or top edge), lines without their last
// pixel, the black pen, NOTXOR as the inversion of the gray.

#include <cstdint>
#include <vector>

#include "common/DrawingSurface.h"

class SoftwareSurface final : public DrawingSurface {
  public:
    static constexpr int kMaxSide = 8192;

    // width and height are clamped to 0..kMaxSide. Starts white, black pen, copy mode.
    SoftwareSurface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row-major, top row first, one gray byte per pixel: 255 white, palette entry n as 4 n.
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
    std::uint8_t At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

    Pen SelectPen(Pen pen) override;
    void SetRasterMode(RasterMode mode) override { mode_ = mode; }
    void FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) override;
    void Polyline(const CanvasPoint* points, std::size_t count) override;
    void Line(CanvasPoint from, CanvasPoint to) override;
    void FillWhite() override;

  private:
    void Plot(int x, int y);
    void Segment(CanvasPoint a, CanvasPoint b);

    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
    Pen pen_ = Pen::Black;
    RasterMode mode_ = RasterMode::Copy;
};
