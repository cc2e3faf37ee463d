#pragma once
// Case folding for what users type: option words and file extensions.

#include <cctype>
#include <filesystem>
#include <string>

inline std::string LowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// ".png" for "Shot.PNG"; "" when the file name has no extension.
inline std::string LowerExtension(const std::string& path) {
    return LowerCase(std::filesystem::path(path).extension().string());
}
