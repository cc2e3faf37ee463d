#pragma once
// ResourceBytes over the raw-data (RCDATA) resources of one loaded module.

#include <windows.h>

#include "common/ResourceBytes.h"

class ModuleResources final : public ResourceBytes {
  public:
    explicit ModuleResources(HMODULE module) : module_(module) {}
    // The bytes stay valid while the module is loaded.
    std::span<const std::uint8_t> Find(std::string_view name) const override;

  private:
    HMODULE module_;
};
