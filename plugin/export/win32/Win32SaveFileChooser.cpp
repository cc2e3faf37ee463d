#include "plugin/export/win32/Win32SaveFileChooser.h"

#include <commdlg.h>

namespace {

constexpr DWORD kPathChars = 256;

} // namespace

std::optional<std::string> Win32SaveFileChooser::ChooseSavePath(const char* filterList) {
    char path[kPathChars] = "";
    char title[kPathChars] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filterList;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathChars;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kPathChars;
    dialog.lpstrDefExt = "*.*";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    // The full path is used rather than the bare file name in the current folder: the
    // same file, without depending on where the dialog left the current folder.
    if (!GetSaveFileNameA(&dialog))
        return std::nullopt;
    return std::string(path);
}
