#pragma once
// ProfileStore over the platform's private-profile functions. A bare file name resolves to
// the Windows directory.

#include <string>

#include "common/ProfileStore.h"

class Win32Profile final : public ProfileStore {
  public:
    explicit Win32Profile(std::string_view file) : file_(file) {}
    std::uint32_t GetInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

  private:
    std::string file_;
};
