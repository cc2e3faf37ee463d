#include "common/win32/Win32MessageReporter.h"

#include <string>

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return 0;
    case MessageIcon::Error:
        return MB_ICONSTOP;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    }
    return 0;
}

} // namespace

void Win32MessageReporter::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
    // The views need not end in a zero byte; MessageBoxA wants one.
    const std::string body(text), title(caption);
    MessageBoxA(owner_, body.c_str(), title.c_str(), MB_OK | IconStyle(icon));
}

bool Win32MessageReporter::AskYesNo(std::string_view text, std::string_view caption,
                                    MessageIcon icon) {
    const std::string body(text), title(caption);
    return MessageBoxA(owner_, body.c_str(), title.c_str(), MB_YESNO | IconStyle(icon)) == IDYES;
}
