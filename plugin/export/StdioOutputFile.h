#pragma once
// OutputFile over the C library's files, for native builds.

#include <cstdio>
#include <string>

#include "common/OutputFile.h"

class StdioOutputFile final : public OutputFile {
  public:
    StdioOutputFile() = default;
    StdioOutputFile(const StdioOutputFile&) = delete;
    StdioOutputFile& operator=(const StdioOutputFile&) = delete;
    ~StdioOutputFile() override;

    bool Create(const std::string& path) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    bool Close() override;
    void Discard() override;

  private:
    std::FILE* file_ = nullptr;
    std::string path_; // of the last file created, for Discard
};
