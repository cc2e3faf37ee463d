#include "plugin/ui/win32/SettingsChooser.h"

#include <commdlg.h>

#include "common/win32/FileDialog.h"

namespace {

constexpr char kFilter[] = "Setting Files (*.stg)\0*.stg\0All Files (*.*)\0*.*\0";

} // namespace

std::optional<std::string> ChooseSettingsFile(SettingsChoice choice) {
    if (choice == SettingsChoice::Open)
        return RunFileDialog(
            {FileDialogKind::Open, nullptr, kFilter, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST});
    return RunFileDialog({FileDialogKind::Save, nullptr, kFilter, OFN_OVERWRITEPROMPT});
}
