#pragma once
// MessageReporter as Win32 message boxes owned by one window (or by none).

#include <windows.h>

#include "common/MessageReporter.h"

class Win32MessageReporter final : public MessageReporter {
  public:
    explicit Win32MessageReporter(HWND owner) : owner_(owner) {}
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) override;

  private:
    HWND owner_;
};
