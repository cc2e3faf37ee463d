#pragma once
// How the portable core talks to the user: a message box in the Windows modules,
// a line on stderr in the command-line tool, a recorder in tests.

#include <string_view>

// None: a plain box with no icon.
enum class MessageIcon { None, Error, Exclamation, Question, Information };

class MessageReporter {
  public:
    virtual ~MessageReporter() = default;
    // Shows text with caption and icon and an OK button; returns when the user has seen it.
    virtual void Show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // Asks a Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};
