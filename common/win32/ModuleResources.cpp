#include "common/win32/ModuleResources.h"

#include <string>

std::span<const std::uint8_t> ModuleResources::Find(std::string_view name) const {
    const std::string zname(name);
    HRSRC info = FindResourceA(module_, zname.c_str(), RT_RCDATA);
    if (!info)
        return {};
    HGLOBAL loaded = LoadResource(module_, info);
    const DWORD size = SizeofResource(module_, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::uint8_t*>(bytes), size};
}
