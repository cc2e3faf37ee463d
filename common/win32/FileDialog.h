#pragma once
// The common open and save dialogs as every file choice of the product runs them: 256-
// character name and title buffers, the first filter chosen, "*.*" as default extension.

#include <windows.h>

#include <optional>
#include <string>

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind;
    HWND owner;         // null: no owner
    const char* filter; // descriptions and patterns, each zero-terminated, then a final zero
    DWORD flags;        // OFN_ flags
};

// The chosen file's full path, or nothing when the user cancels.
std::optional<std::string> RunFileDialog(const FileDialogRequest& request);
