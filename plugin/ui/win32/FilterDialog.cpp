#include "plugin/ui/win32/FilterDialog.h"

#include <string>
#include <string_view>

#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/preview/ViewPresets.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/resources/DialogIds.h"
#include "plugin/run/PluginState.h"
#include "plugin/ui/DialogRules.h"
#include "plugin/ui/ViewTools.h"
#include "plugin/ui/win32/FilterDialogWindow.h"
#include "plugin/ui/win32/HostWindowFilter.h"

namespace {

constexpr char kTemplateName[] = "QuorvDlg";
constexpr char kHelpFile[] = "qmesh.hlp";

// Moves the dialog, unsized and not activated, to the middle of the screen.
void CenterDialog(HWND dialog) {
    RECT r;
    GetWindowRect(dialog, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddEntry(HWND list, std::string_view entry) {
    const std::string text(entry);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Selection(HWND list) {
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

} // namespace

FilterDialogWindow::FilterDialogWindow(HINSTANCE instance, FilterGlobals& globals,
                                       MeshBuffers& buffers)
    : instance_(instance), globals_(globals), buffers_(buffers) {}

INT_PTR CALLBACK FilterDialogWindow::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<FilterDialogWindow*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->dialog_ = dialog;
        self->Start();
        return FALSE; // the focus is set
    }
    auto* self = reinterpret_cast<FilterDialogWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_DESTROY) {
        self->End();
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    }
    return self->Handle(message, wParam, lParam);
}

void FilterDialogWindow::Start() {
    CenterDialog(dialog_);
    cache_ = PreviewCache{};
    ApplyRememberedTools(rememberedSettings, Settings());
    // A settings source may pair NxM DXF with black holes; the box must never be both
    // disabled and ticked.
    ApplyFormatRule(Settings());
    previewHost_ = std::make_unique<DialogPreviewHost>(dialog_);
    faces_ = std::make_unique<ButtonFaceBitmaps>(instance_);
    CreateSliders();
    model_ = CanvasModel{&globals_, &buffers_, &cache_};
    canvas_ = CreatePreviewCanvas(dialog_, instance_, model_);
    InitView(Settings());
    SetFocus(Item(IDC_TOOL_PAN));
    for (const LengthField field :
         {LengthField::ModelScale, LengthField::CylLen, LengthField::MapAlt, LengthField::RadOff})
        ShowParameter(field);
    ShowSettings();
    for (const ViewPreset& preset : kViewPresets)
        AddEntry(Item(IDC_VIEW_LIST), preset.name);
    SendDlgItemMessageA(dialog_, IDC_VIEW_LIST, CB_SETCURSEL, static_cast<WPARAM>(Orient), 0);
    for (const std::string_view name : kFormatNames)
        AddEntry(Item(IDC_FORMAT_LIST), name);
    SelectFormat(Settings().DiskFormat - 1);
    for (const std::string_view name : kResolutionNames)
        AddEntry(Item(IDC_RESOLUTION_LIST), name);
    SendDlgItemMessageA(dialog_, IDC_RESOLUTION_LIST, CB_SETCURSEL,
                        static_cast<WPARAM>(Settings().MeshRes - 1), 0);
    InstallHostWindowFilter(GetWindow(dialog_, GW_OWNER));
}

// The radio buttons and check boxes from the settings, and what they enable.
void FilterDialogWindow::ShowSettings() {
    const MeshSettings& s = Settings();
    CheckRadioButton(dialog_, IDC_RECTANGULAR, IDC_SPHERICAL, IDC_RECTANGULAR + s.Meshtype);
    CheckDlgButton(dialog_, IDC_LONGITUDE, s.DoLongitude ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_LATITUDE, s.DoLatitude ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_PERSPECTIVE, s.DoPerspective ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_BLACK_HOLES, s.BlackHoles ? BST_CHECKED : BST_UNCHECKED);
    ApplyEnableRules();
}

void FilterDialogWindow::SelectFormat(int index) {
    SendDlgItemMessageA(dialog_, IDC_FORMAT_LIST, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FilterDialogWindow::End() {
    faces_.reset();
    WinHelpA(dialog_, kHelpFile, HELP_QUIT, 0);
    Orient = static_cast<std::int16_t>(Selection(Item(IDC_VIEW_LIST)));
    RememberSettings(Settings(), rememberedSettings);
    RemoveHostWindowFilter();
    if (canvas_)
        SetCanvasModel(canvas_, nullptr);
}

void FilterDialogWindow::ApplyEnableRules() {
    EnableWindow(Item(IDC_BLACK_HOLES), BlackHolesEnabled(Settings()));
    const BOOL lines = LineSwitchesEnabled(Settings());
    EnableWindow(Item(IDC_LONGITUDE), lines);
    EnableWindow(Item(IDC_LATITUDE), lines);
}

INT_PTR FilterDialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORDLG:
        // Only ever disables, as the dialog has always done when it paints.
        if (!BlackHolesEnabled(Settings()) && IsWindowEnabled(Item(IDC_BLACK_HOLES)))
            EnableWindow(Item(IDC_BLACK_HOLES), FALSE);
        if (!LineSwitchesEnabled(Settings()) && IsWindowEnabled(Item(IDC_LONGITUDE))) {
            EnableWindow(Item(IDC_LONGITUDE), FALSE);
            EnableWindow(Item(IDC_LATITUDE), FALSE);
        }
        return FALSE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const int id = static_cast<int>(item.CtlID);
        const bool current = id < IDC_STYLE_WIREFRAME
                                 ? id - IDC_TOOL_ZOOM == Settings().Tooltype
                                 : id - IDC_STYLE_WIREFRAME == Settings().Shadetype;
        return faces_ && faces_->Draw(item, current);
    }
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam), lParam);
        return TRUE;
    case WM_CLOSE:
        Command(IDCANCEL, BN_CLICKED, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void FilterDialogWindow::Close(INT_PTR result) {
    RemoveHostWindowFilter();
    EndDialog(dialog_, result);
}

void FilterDialogWindow::RedrawButtons(int first) {
    for (int id = first; id < first + 3; ++id)
        InvalidateRect(Item(id), nullptr, FALSE);
}

void FilterDialogWindow::RepaintCanvas() {
    if (!canvas_)
        return;
    InvalidateRect(canvas_, nullptr, TRUE);
    UpdateWindow(canvas_);
}

void FilterDialogWindow::FitAll() {
    ::FitAll(Settings());
    ShowParameter(LengthField::ModelScale);
    cache_.ViewChanged();
    RepaintCanvas();
}

void FilterDialogWindow::Command(int id, int code, LPARAM lParam) {
    if (LengthCommand(id, code, lParam))
        return;
    MeshSettings& s = Settings();
    switch (id) {
    case IDOK:
        if (modalDepth_ > 0)
            return;
        // Enter in an edit box first moves the focus here, which commits the edit; only a
        // press while OK already has the focus (a click gives it first) closes.
        if (GetFocus() == Item(IDOK))
            Close(1);
        else
            SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
        return;
    case IDCANCEL:
        if (modalDepth_ == 0)
            Close(0);
        return;
    case IDC_HELP_BUTTON:
        WinHelpA(dialog_, kHelpFile, HELP_CONTENTS, 0);
        return;
    case IDC_TOOL_ZOOM:
    case IDC_TOOL_PAN:
    case IDC_TOOL_ROTATE:
        s.Tooltype = id - IDC_TOOL_ZOOM;
        RedrawButtons(IDC_TOOL_ZOOM);
        if (id == IDC_TOOL_PAN && code == BN_DOUBLECLICKED)
            FitAll();
        return;
    case IDC_STYLE_WIREFRAME:
    case IDC_STYLE_OUTLINED:
    case IDC_STYLE_SHADED:
        s.Shadetype = id - IDC_STYLE_WIREFRAME;
        RedrawButtons(IDC_STYLE_WIREFRAME);
        ApplyEnableRules();
        RepaintCanvas();
        return;
    case IDC_LONGITUDE:
    case IDC_LATITUDE:
    case IDC_PERSPECTIVE: {
        std::int32_t& value = id == IDC_LONGITUDE  ? s.DoLongitude
                              : id == IDC_LATITUDE ? s.DoLatitude
                                                   : s.DoPerspective;
        value = value ? 0 : 1;
        CheckDlgButton(dialog_, id, value ? BST_CHECKED : BST_UNCHECKED);
        cache_.ViewChanged();
        RepaintCanvas();
        return;
    }
    case IDC_BLACK_HOLES:
        s.BlackHoles = IsDlgButtonChecked(dialog_, IDC_BLACK_HOLES) == BST_CHECKED ? 1 : 0;
        cache_.ViewChanged();
        RepaintCanvas();
        return;
    case IDC_RECTANGULAR:
    case IDC_CYLINDRICAL:
    case IDC_SPHERICAL:
        s.Meshtype = id - IDC_RECTANGULAR;
        CheckRadioButton(dialog_, IDC_RECTANGULAR, IDC_SPHERICAL, id);
        cache_.polygonsSorted = false;
        RefreshMesh(true);
        return;
    case IDC_RESOLUTION_LIST:
        if (code == CBN_SELCHANGE && ChooseResolution(s, Selection(Item(id)))) {
            SampleGrayGrid(s, buffers_);
            cache_.polygonsSorted = false;
            RefreshMesh(true);
        }
        return;
    case IDC_FORMAT_LIST:
        if (code == CBN_SELCHANGE) {
            const FormatChoice choice = ChooseFormat(s, Selection(Item(id)));
            if (choice.blackHolesCleared) {
                CheckDlgButton(dialog_, IDC_BLACK_HOLES, BST_UNCHECKED);
                RefreshMesh(true);
            }
            ApplyEnableRules();
            UpdateWindow(Item(IDC_BLACK_HOLES));
        }
        return;
    case IDC_VIEW_LIST:
        if (code == CBN_SELCHANGE && ChooseViewPreset(s, Selection(Item(id)))) {
            cache_.ViewChanged();
            cache_.polygonsSorted = false;
            RepaintCanvas();
        }
        return;
    case IDC_LOAD_SETTINGS:
        LoadSettings();
        return;
    case IDC_SAVE_SETTINGS:
        SaveSettings();
        return;
    case IDC_FIT_ALL:
        FitAll();
        return;
    default:
        return;
    }
}

INT_PTR RunFilterDialog(HINSTANCE instance, HWND owner, FilterGlobals& globals,
                        MeshBuffers& buffers) {
    FilterDialogWindow window(instance, globals, buffers);
    const INT_PTR result =
        DialogBoxParamA(instance, kTemplateName, owner, &FilterDialogWindow::Procedure,
                        reinterpret_cast<LPARAM>(&window));
    // However the dialog ended, the host gets its own procedure back.
    RemoveHostWindowFilter();
    return result;
}
