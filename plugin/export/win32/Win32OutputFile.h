#pragma once
// OutputFile over the Win32 file calls.

#include <windows.h>

#include <string>

#include "common/OutputFile.h"

class Win32OutputFile final : public OutputFile {
  public:
    Win32OutputFile() = default;
    Win32OutputFile(const Win32OutputFile&) = delete;
    Win32OutputFile& operator=(const Win32OutputFile&) = delete;
    ~Win32OutputFile() override;

    bool Create(const std::string& path) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    bool Close() override;
    void Discard() override;

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string path_; // of the last file created, for Discard
};
