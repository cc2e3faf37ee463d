// "Load Settings" and "Save Settings": settings files through the common dialogs, applied
// to the dialog's controls in the order the product has always used.

#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/resources/DialogIds.h"
#include "plugin/run/SettingsFile.h"
#include "plugin/ui/DialogRules.h"
#include "plugin/ui/win32/FilterDialogWindow.h"
#include "plugin/ui/win32/SettingsChooser.h"

namespace {

// A settings file that cannot be written is said so, not passed over.
constexpr SettingsMessage kSettingsNotSaved{"The settings file could not be written.",
                                            "File error"};

// Keeps OK, Cancel, Load and Save waiting while a box or chooser is open over the dialog.
class ModalScope {
  public:
    explicit ModalScope(int& depth) : depth_(depth) { ++depth_; }
    ~ModalScope() { --depth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    int& depth_;
};

} // namespace

int FilterDialogWindow::Box(const char* text, const char* caption, UINT style) {
    const ModalScope scope(modalDepth_);
    return MessageBoxA(nullptr, text, caption, style);
}

void FilterDialogWindow::LoadSettings() {
    if (modalDepth_ > 0)
        return;
    std::optional<std::string> path;
    {
        const ModalScope scope(modalDepth_);
        path = ChooseSettingsFile(SettingsChoice::Open);
    }
    if (!path)
        return;
    SettingsRecord record{};
    const SettingsStatus status = LoadSettingsFile(*path, record);
    if (status != SettingsStatus::Ok) {
        const SettingsMessage& message = status == SettingsStatus::InvalidVersion
                                             ? kInvalidSettingsVersion
                                             : kInvalidSettingsFile;
        Box(std::string(message.text).c_str(), std::string(message.caption).c_str(),
            MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    MeshSettings& s = Settings();
    ApplySettingsRecord(record, s);
    ApplyFormatRule(s);
    for (const LengthField field :
         {LengthField::MapAlt, LengthField::ModelScale, LengthField::RadOff, LengthField::CylLen})
        ShowParameter(field);
    ShowSettings();
    SelectFormat(s.DiskFormat - 1);
    SendDlgItemMessageA(dialog_, IDC_VIEW_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendDlgItemMessageA(dialog_, IDC_RESOLUTION_LIST, CB_SETCURSEL,
                        static_cast<WPARAM>(s.MeshRes - 1), 0);
    SampleGrayGrid(s, buffers_);
    SetFocus(Item(IDC_TOOL_ZOOM + s.Tooltype));
    RedrawButtons(IDC_TOOL_ZOOM);
    SetFocus(Item(IDC_STYLE_WIREFRAME + s.Shadetype));
    RedrawButtons(IDC_STYLE_WIREFRAME);
    cache_.polygonsSorted = false;
    RefreshMesh(true);
}

void FilterDialogWindow::SaveSettings() {
    if (modalDepth_ > 0)
        return;
    std::optional<std::string> path;
    {
        const ModalScope scope(modalDepth_);
        path = ChooseSettingsFile(SettingsChoice::Save);
    }
    if (!path)
        return;
    if (!SaveSettingsFile(*path, SettingsRecordOf(Settings())))
        Box(std::string(kSettingsNotSaved.text).c_str(),
            std::string(kSettingsNotSaved.caption).c_str(), MB_ICONEXCLAMATION | MB_OK);
    RepaintCanvas();
}
