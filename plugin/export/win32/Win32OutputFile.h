#pragma once
// OutputFile over the Win32 file calls. A file is written beside its destination and takes
// its place only once it is whole, so a failed export leaves whatever was there untouched;
// a device or a pipe is written in place and never removed.

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
    bool CreateBeside();
    void CloseHandleOnly();

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string target_;    // where the finished file goes
    std::string temporary_; // the file being written beside it; empty when written in place
    bool failed_ = false;   // a write or the close went wrong: the target is not replaced
};
