#include "plugin/run/win32/Win32Profile.h"

#include <windows.h>

std::uint32_t Win32Profile::GetInt(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
    const std::string s(section), k(key);
    return GetPrivateProfileIntA(s.c_str(), k.c_str(), fallback, file_.c_str());
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    const std::string s(section), k(key), v(value);
    return WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), file_.c_str()) != 0;
}
