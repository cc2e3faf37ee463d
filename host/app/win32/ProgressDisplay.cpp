#include "host/app/win32/ProgressDisplay.h"

namespace {

// The run in progress; the plug-in's procedure pointer carries no context.
ProgressDisplay* activeDisplay = nullptr;

} // namespace

void __cdecl ShowProgress(std::int32_t done, std::int32_t total) {
    if (activeDisplay)
        activeDisplay->Show(done, total);
}

ProgressTarget::ProgressTarget(ProgressDisplay& display) {
    activeDisplay = &display;
}

ProgressTarget::~ProgressTarget() {
    activeDisplay = nullptr;
}

void ProgressDisplay::Show(std::int32_t done, std::int32_t total) {
    if (EndsProgress(done, total)) {
        if (!columns_)
            return;
        SetCursor(previousCursor_);
        columns_.reset();
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
        return;
    }
    if (total <= 0)
        return;
    if (!columns_ && !Begin())
        return;
    HDC dc = GetDC(window_);
    const ColumnSpan span = columns_->Advance(done, total);
    const int previousMode = SetROP2(dc, R2_NOT);
    for (int column = span.first; column < span.end; ++column) {
        MoveToEx(dc, column, fill_.bottom - 1, nullptr);
        LineTo(dc, column, fill_.top);
    }
    SetROP2(dc, previousMode);
    ReleaseDC(window_, dc);
}

bool ProgressDisplay::Begin() {
    HDC dc = GetDC(window_);
    RECT client{};
    GetClientRect(window_, &client);
    SIZE label{};
    GetTextExtentPoint32A(dc, kProgressLabel.data(), static_cast<int>(kProgressLabel.size()),
                          &label);
    const ProgressBarLayout layout = LayOutProgressBar(client.right, client.bottom, label.cy);
    ReleaseDC(window_, dc);
    if (!HasColumns(layout.fill))
        return false;
    // A clean picture under the bar, so that the paint that ends the bar leaves no trace.
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
    previousCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    dc = GetDC(window_);
    const RECT frame{layout.frame.left, layout.frame.top, layout.frame.right, layout.frame.bottom};
    FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    TextOutA(dc, layout.labelX, layout.labelY, kProgressLabel.data(),
             static_cast<int>(kProgressLabel.size()));
    ReleaseDC(window_, dc);
    fill_ = layout.fill;
    columns_.emplace(layout.fill);
    return true;
}
