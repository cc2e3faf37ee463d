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

std::optional<std::string> FilterDialogWindow::ChooseFile(SettingsChoice choice) {
    const ModalScope scope(modalDepth_);
    return ChooseSettingsFile(choice);
}

void FilterDialogWindow::Box(const SettingsMessage& message) {
    const ModalScope scope(modalDepth_);
    MessageBoxA(nullptr, std::string(message.text).c_str(), std::string(message.caption).c_str(),
                MB_ICONEXCLAMATION | MB_OK);
}

void FilterDialogWindow::LoadSettings() {
    if (modalDepth_ > 0)
        return;
    const std::optional<std::string> path = ChooseFile(SettingsChoice::Open);
    if (!path)
        return;
    SettingsRecord record{};
    const SettingsStatus status = LoadSettingsFile(*path, record);
    if (status != SettingsStatus::Ok) {
        Box(status == SettingsStatus::InvalidVersion ? kInvalidSettingsVersion
                                                     : kInvalidSettingsFile);
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
    const std::optional<std::string> path = ChooseFile(SettingsChoice::Save);
    if (!path)
        return;
    if (!SaveSettingsFile(*path, SettingsRecordOf(Settings())))
        Box(kSettingsNotSaved);
    RepaintCanvas();
}
