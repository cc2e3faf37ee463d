#include "toolbase/CliFailure.h"

namespace {
std::string OneLine(std::string_view text) {
    std::string line;
    bool breakPending = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            breakPending = true;
        } else if (breakPending && c == ' ') {
            continue;
        } else {
            if (breakPending && !line.empty() && line.back() != ' ')
                line += ' ';
            breakPending = false;
            line += c;
        }
    }
    return line;
}
} // namespace

CliFailure Fail(int exitCode, std::string_view file, std::string_view reason) {
    return {exitCode, "quorvmesh: " + std::string(file) + ": " + OneLine(reason)};
}

void CliMessages::Show(std::string_view text, std::string_view, MessageIcon) {
    texts_.emplace_back(text);
}

std::string CliMessages::LastOr(std::string_view fallback) const {
    return texts_.empty() ? std::string(fallback) : texts_.back();
}
