#pragma once
// The common save dialog, owned by the host window.

#include <windows.h>

#include "common/SaveFileChooser.h"

class Win32SaveFileChooser final : public SaveFileChooser {
  public:
    explicit Win32SaveFileChooser(HWND owner) : owner_(owner) {}
    // Shows the dialog with the format's filters (the first selected), no initial name,
    // folder or title, an overwrite prompt and a help button. Nothing when cancelled.
    std::optional<std::string> ChooseSavePath(const char* filterList) override;

  private:
    HWND owner_;
};
