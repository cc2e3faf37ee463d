#include "common/win32/FileDialog.h"

#include <commdlg.h>

namespace {

constexpr DWORD kNameLength = 256;

} // namespace

std::optional<std::string> RunFileDialog(const FileDialogRequest& request) {
    char path[kNameLength] = "";
    char title[kNameLength] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kNameLength;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kNameLength;
    dialog.lpstrDefExt = "*.*";
    dialog.Flags = request.flags;
    // The full path is used rather than the bare file name in the current folder: the same
    // file, without depending on where the dialog left the current folder.
    const BOOL chosen = request.kind == FileDialogKind::Open ? GetOpenFileNameA(&dialog)
                                                             : GetSaveFileNameA(&dialog);
    if (!chosen)
        return std::nullopt;
    return std::string(path);
}
