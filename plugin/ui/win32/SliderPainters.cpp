#include "plugin/ui/win32/SliderPainters.h"

#include "plugin/ui/win32/SliderBlock.h"

void PaintSliderTrack(HWND slider, HDC dc, SliderData* data) {
    RECT client{};
    GetClientRect(slider, &client);
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &client, face);
    DeleteObject(face);
    if (data->vertical != 0) {
        const int halfHeight = ThumbHeight(*data) / 2;
        MoveToEx(dc, 0, halfHeight, nullptr);
        LineTo(dc, 0, client.bottom - halfHeight);
    } else {
        const int half = ThumbWidth(*data) / 2;
        MoveToEx(dc, half, 0, nullptr);
        LineTo(dc, client.right - half, 0);
    }
}

void PaintSliderPointer(HWND, HDC dc, SliderData* data) {
    const int half = ThumbWidth(*data) / 2;
    const int h = ThumbHeight(*data);
    const int x = data->thumbX;
    const int y = data->trackY;
    POINT corners[4] = {{x, y}, {x + half, y + h}, {x - half, y + h}, {x, y}};
    if (data->vertical != 0) {
        // The pointer lies on its side along a vertical track.
        for (POINT& corner : corners) {
            corner = POINT{corner.y, corner.x};
        }
    }
    Polyline(dc, corners, 4);
}

void PaintSlider(HWND slider) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(slider, &paint);
    SliderBlock data(slider);
    if (data && dc != nullptr) {
        RECT client{};
        GetClientRect(slider, &client);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        if (memory != nullptr && bitmap != nullptr) {
            HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
            data->backPainter(slider, memory, data.Get());
            data->thumbPainter(slider, memory, data.Get());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, oldBitmap);
        }
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        if (memory != nullptr) {
            DeleteDC(memory);
        }
    }
    EndPaint(slider, &paint);
}
