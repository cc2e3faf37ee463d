#include "plugin/run/IniFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// One line as the profile functions read it: a section header (the name between "[" and
// the last "]"), a broken header (no "]", ignored), or an entry; a line without "=" is an
// entry with an empty value, which hides later lines of the same key.
struct ParsedLine {
    enum Kind { Blank, Header, BrokenHeader, Entry } kind;
    std::string_view name;
    std::string_view value;
};

ParsedLine ParseLine(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty())
        return {ParsedLine::Blank, {}, {}};
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos)
            return {ParsedLine::BrokenHeader, {}, {}};
        return {ParsedLine::Header, Trim(line.substr(1, close - 1)), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {ParsedLine::Entry, line, {}};
    return {ParsedLine::Entry, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

std::uint32_t ParseProfileInt(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < value.size() && value[i] == '0' && value[i + 1] == 'x') {
        base = 16;
        i += 2;
    }
    std::uint32_t result = 0;
    for (; i < value.size(); ++i) {
        const int digit = DigitValue(value[i]);
        if (digit >= static_cast<int>(base))
            break;
        result = result * base + static_cast<std::uint32_t>(digit);
    }
    return negative ? 0u - result : result;
}

IniFile::IniFile(std::string_view text) {
    if (text.find("\r\n") == std::string_view::npos && text.find('\n') != std::string_view::npos)
        newline_ = "\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line);
        start = end + 1;
    }
}

std::optional<IniFile::LineRange> IniFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine header = ParseLine(lines_[i]);
        if (header.kind != ParsedLine::Header || !SameName(header.name, section))
            continue;
        // Only the first section of a name counts, as with the profile functions.
        std::size_t end = i + 1;
        while (end < lines_.size() && ParseLine(lines_[end]).kind != ParsedLine::Header)
            ++end;
        return LineRange{i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKeyLine(std::string_view section,
                                                std::string_view key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    key = Trim(key);
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const ParsedLine line = ParseLine(lines_[i]);
        if (line.kind == ParsedLine::Entry && SameName(line.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::GetString(std::string_view section,
                                              std::string_view key) const {
    const auto line = FindKeyLine(section, key);
    if (!line)
        return std::nullopt;
    return std::string(Unquote(ParseLine(lines_[*line]).value));
}

std::uint32_t IniFile::GetInt(std::string_view section, std::string_view key,
                              std::int32_t fallback) const {
    const auto value = GetString(section, key);
    if (!value || value->empty())
        return static_cast<std::uint32_t>(fallback);
    return ParseProfileInt(*value);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string entry(key);
    entry.append("=").append(value);
    if (const auto line = FindKeyLine(section, key)) {
        lines_[*line] = std::move(entry);
        return true;
    }
    // After the last non-blank line of the section, or in a new section at the end.
    if (const auto range = FindSection(section)) {
        std::size_t insertAt = range->begin;
        for (std::size_t i = range->begin; i < range->end; ++i)
            if (ParseLine(lines_[i]).kind != ParsedLine::Blank)
                insertAt = i + 1;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
        return true;
    }
    std::string header("[");
    lines_.push_back(header.append(section).append("]"));
    lines_.push_back(std::move(entry));
    return true;
}

std::string IniFile::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + newline_;
    return text;
}

std::optional<IniFile> LoadIniFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return IniFile(text.str());
}

bool SaveIniFile(const IniFile& ini, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string text = ini.Text();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}
