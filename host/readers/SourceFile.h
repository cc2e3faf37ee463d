#pragma once
// An image file chosen by the user: its full path and, while a reader needs it, an open
// read handle. The path is held whole, however long the chooser made it. A SourceFile can
// also stand for bytes already in memory (tests, fuzzing), read the same way.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

class SourceFile {
  public:
    // Keeps path and opens it for reading; IsOpen() is false when that failed.
    explicit SourceFile(std::string path);
    // A file whose contents are bytes (not copied: they must outlive this object).
    SourceFile(std::string name, std::span<const std::uint8_t> bytes);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    const std::string& Path() const { return path; }
    bool IsOpen() const { return handle != nullptr || memoryOpen; }
    // Opens the file again when it is not open; false when it cannot be opened.
    bool Open();
    void Close();

    // For ByteReader: the open handle (null for a memory file) and the memory bytes.
    std::FILE* Handle() const { return handle; }
    std::span<const std::uint8_t> Memory() const { return memory; }
    bool InMemory() const { return inMemory; }

  private:
    std::string path;
    std::FILE* handle = nullptr;
    std::span<const std::uint8_t> memory;
    bool inMemory = false;
    bool memoryOpen = false;
};
