#include "plugin/export/win32/Win32SaveFileChooser.h"

#include <commdlg.h>

#include "common/win32/FileDialog.h"

std::optional<std::string> Win32SaveFileChooser::ChooseSavePath(const char* filterList) {
    return RunFileDialog(
        {FileDialogKind::Save, owner_, filterList, OFN_OVERWRITEPROMPT | OFN_SHOWHELP});
}
