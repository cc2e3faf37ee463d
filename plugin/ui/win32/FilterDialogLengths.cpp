// The four lengths: their edit boxes and sliders, and the preview refresh they lead to.

#include "plugin/mesh/MakePoints.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/resources/DialogIds.h"
#include "plugin/ui/win32/FilterDialogWindow.h"
#include "plugin/ui/win32/SliderWindow.h"

namespace {

struct LengthControls {
    LengthField field;
    int editId;
    int sliderId;
};

constexpr LengthControls kLengths[] = {
    {LengthField::MapAlt, IDC_MAP_ALTITUDE, IDC_SLIDER_MAP_ALTITUDE},
    {LengthField::ModelScale, IDC_MODEL_SCALE, IDC_SLIDER_MODEL_SCALE},
    {LengthField::RadOff, IDC_RADIAL_OFFSET, IDC_SLIDER_RADIAL_OFFSET},
    {LengthField::CylLen, IDC_CYLINDER_LENGTH, IDC_SLIDER_CYLINDER_LENGTH},
};

const LengthControls* ByEdit(int id) {
    for (const LengthControls& c : kLengths)
        if (c.editId == id)
            return &c;
    return nullptr;
}

const LengthControls* BySlider(int id) {
    for (const LengthControls& c : kLengths)
        if (c.sliderId == id)
            return &c;
    return nullptr;
}

const LengthControls& Of(LengthField field) {
    return kLengths[static_cast<int>(field)];
}

} // namespace

void FilterDialogWindow::CreateSliders() {
    for (const LengthControls& c : kLengths) {
        const HWND placeholder = Item(c.sliderId + IDC_SLIDER_PLACEHOLDER_OFFSET);
        RECT r;
        if (!placeholder || !GetWindowRect(placeholder, &r))
            continue;
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
        const HWND slider = CreateWindowExA(
            0, "Slider", "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left + 1,
            r.bottom - r.top + 1, dialog_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.sliderId)), instance_, nullptr);
        SetSliderFlags(slider, SliderFlagsChange::Replace, SLF_LOGSCALE);
        SetSliderRange(slider, 1, SliderMaximum(c.field));
    }
}

void FilterDialogWindow::ShowParameter(LengthField field) {
    const LengthControls& c = Of(field);
    const float value = ParameterOf(field, Settings());
    SetSliderValue(Item(c.sliderId), SliderValueOf(field, value), true);
    // The dialog's own text is no edit by the user: a later focus change must not read the
    // three decimals back and round the value.
    settingText_ = true;
    SetDlgItemTextA(dialog_, c.editId, ParameterText(value).c_str());
    settingText_ = false;
}

bool FilterDialogWindow::LengthCommand(int id, int code, LPARAM lParam) {
    if (const LengthControls* edit = ByEdit(id)) {
        const auto index = static_cast<std::size_t>(edit->field);
        if (code == EN_CHANGE && !settingText_) {
            textChanged_[index] = true;
        } else if (code == EN_KILLFOCUS && textChanged_[index]) {
            textChanged_[index] = false;
            char text[kEditTextLimit + 1] = "";
            GetDlgItemTextA(dialog_, id, text, sizeof text);
            float& parameter = ParameterOf(edit->field, Settings());
            const EditCommit commit = CommitEditText(edit->field, text, parameter);
            if (commit.beep)
                MessageBeep(MB_ICONEXCLAMATION);
            parameter = commit.value;
            ShowParameter(edit->field);
            RefreshMesh(false);
        }
        return true;
    }
    const LengthControls* slider = BySlider(id);
    if (!slider)
        return false;
    const auto notification = static_cast<std::uint32_t>(lParam);
    switch (SliderNotifyCode(notification)) {
    case SLN_RELEASE:
        UpdateWindow(Item(slider->editId));
        RefreshMesh(false);
        break;
    case SLN_HOLDREPEAT:
        break;
    default: // SLN_TRACK, SLN_HOLD: follow the pointer; the points wait for the release
        ParameterOf(slider->field, Settings()) =
            ParameterOfSliderValue(slider->field, SliderNotifyValue(notification));
        ShowParameter(slider->field);
        break;
    }
    return true;
}

void FilterDialogWindow::RefreshMesh(bool resetCount) {
    MeshSettings& s = Settings();
    cache_.ViewChanged();
    if (resetCount)
        s.polygonCount = 0;
    previewHost_->SetStatus("Making Points");
    previewHost_->ShowDialogProgress(0, 100);
    if (canvas_) {
        RECT client;
        GetClientRect(canvas_, &client);
        const HDC dc = GetDC(canvas_);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(canvas_, dc);
    }
    MakePoints(s, buffers_);
    // A settings file may have left the view to be placed afresh.
    InitView(s);
    if (canvas_) {
        InvalidateRect(canvas_, nullptr, FALSE);
        UpdateWindow(canvas_);
    }
}
