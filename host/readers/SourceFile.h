#pragma once
// An image file chosen by the user: its full path and, while a reader needs it, an open
// read handle. The path is held whole, however long the chooser made it.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/readers/ByteSource.h"

class SourceFile final : public ByteSource {
  public:
    // Keeps path and opens it for reading; IsOpen() is false when that failed.
    explicit SourceFile(std::string path);
    ~SourceFile() override;
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    bool Open() override;
    void Close() override;
    std::uint64_t Size() override;
    // Reads the file in chunks, so that small reads do not each go to the disk.
    std::span<const std::uint8_t> BytesAt(std::uint64_t position) override;

  private:
    std::string path_;
    std::FILE* handle_ = nullptr;
    std::vector<std::uint8_t> chunk_; // file bytes [chunkStart_, chunkStart_ + chunk_.size())
    std::uint64_t chunkStart_ = 0;
};
