#include "plugin/ui/win32/GdiSurface.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kGrayEntries = 64;

HGDIOBJ StockPen(Pen pen) {
    return GetStockObject(pen == Pen::None ? NULL_PEN : BLACK_PEN);
}

POINT ToPoint(CanvasPoint p) {
    return {p.x, p.y};
}

} // namespace

HPALETTE CreateGrayPalette() {
    // LOGPALETTE declares one entry; the other 63 follow it in the same block.
    std::vector<unsigned char> block(sizeof(LOGPALETTE) +
                                     (kGrayEntries - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = kGrayEntries;
    for (int i = 0; i < kGrayEntries; ++i) {
        const auto gray = static_cast<BYTE>(4 * i);
        palette->palPalEntry[i] = {gray, gray, gray, 0};
    }
    return CreatePalette(palette);
}

GdiSurface::GdiSurface(HDC dc, HWND window)
    : dc_(dc), window_(window), pen_(Pen::Black), firstPen_(SelectObject(dc, StockPen(pen_))),
      firstBrush_(GetCurrentObject(dc, OBJ_BRUSH)) {
    SetPolyFillMode(dc_, ALTERNATE);
}

GdiSurface::~GdiSurface() {
    SelectObject(dc_, firstPen_);
    SelectObject(dc_, firstBrush_);
    for (HBRUSH brush : shadeBrushes_)
        if (brush)
            DeleteObject(brush);
}

Pen GdiSurface::SelectPen(Pen pen) {
    const Pen previous = pen_;
    pen_ = pen;
    SelectObject(dc_, StockPen(pen));
    return previous;
}

void GdiSurface::SetRasterMode(RasterMode mode) {
    SetROP2(dc_, mode == RasterMode::NotXor ? R2_NOTXORPEN : R2_COPYPEN);
}

HBRUSH GdiSurface::ShadeBrush(int paletteIndex) {
    HBRUSH& brush = shadeBrushes_[paletteIndex];
    if (!brush)
        brush = CreateSolidBrush(PALETTEINDEX(paletteIndex));
    return brush;
}

void GdiSurface::FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) {
    const HBRUSH brush = ShadeBrush(std::clamp(paletteIndex, 0, kGrayEntries - 1));
    if (!brush)
        return;
    const POINT points[4] = {ToPoint(corners[0]), ToPoint(corners[1]), ToPoint(corners[2]),
                             ToPoint(corners[3])};
    // Neighbouring cells mostly share a shade: select only on a change.
    if (brush != selectedBrush_) {
        SelectObject(dc_, brush);
        selectedBrush_ = brush;
    }
    ::Polygon(dc_, points, 4);
}

void GdiSurface::Polyline(const CanvasPoint* points, std::size_t count) {
    if (count < 2)
        return;
    std::vector<POINT> line(count);
    std::transform(points, points + count, line.begin(), ToPoint);
    ::Polyline(dc_, line.data(), static_cast<int>(std::min<std::size_t>(count, INT_MAX)));
}

void GdiSurface::Line(CanvasPoint from, CanvasPoint to) {
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
}

void GdiSurface::FillWhite() {
    RECT client;
    if (GetClientRect(window_, &client))
        FillRect(dc_, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}
