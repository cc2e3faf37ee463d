#include "plugin/ui/win32/DialogPreviewHost.h"

#include "common/win32/CheckAbort.h"
#include "plugin/preview/ProgressBar.h"
#include "plugin/resources/DialogIds.h"

void DialogPreviewHost::SetStatus(const char* text) {
    const HWND line = GetDlgItem(dialog_, IDC_STATUS_LINE);
    if (!line)
        return;
    SetWindowTextA(line, text);
    UpdateWindow(line);
}

void DialogPreviewHost::ShowDialogProgress(std::uint32_t value, std::uint32_t maximum) {
    const HWND frame = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
    RECT client;
    if (!frame || !GetClientRect(frame, &client))
        return;
    const ProgressBarPaint paint = PaintProgressBar(client.right, client.bottom, value, maximum);
    if (paint.rect.right <= paint.rect.left || paint.rect.bottom <= paint.rect.top)
        return;
    const HDC dc = GetDC(frame);
    if (!dc)
        return;
    const RECT r{paint.rect.left, paint.rect.top, paint.rect.right, paint.rect.bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(paint.white ? WHITE_BRUSH : BLACK_BRUSH)));
    ReleaseDC(frame, dc);
}

void DialogPreviewHost::SetStatisticsLine(int line, const char* text) {
    if (line < 0 || line > 3)
        return;
    const HWND item = GetDlgItem(dialog_, IDC_STATISTICS_FIRST + line);
    if (item)
        SetWindowTextA(item, text);
}

bool DialogPreviewHost::CheckAbort() {
    return ::CheckAbort();
}

std::uint32_t DialogPreviewHost::TickCount() {
    return GetTickCount();
}
