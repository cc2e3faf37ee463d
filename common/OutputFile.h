#pragma once
// The file a writer fills, one implementation per platform: Win32OutputFile in the plug-in,
// StdioOutputFile natively (and a file in memory in tests).

#include <cstddef>
#include <cstdint>
#include <string>

class OutputFile {
  public:
    virtual ~OutputFile() = default;
    // Creates (or truncates) the file at path for writing; false when it cannot be created.
    virtual bool Create(const std::string& path) = 0;
    // Appends size bytes; false when not all of them were written.
    virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
    // Overwrites size bytes at the absolute offset (the end of the file stays where it was).
    virtual bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) = 0;
    // Closes the file; false when the last of the data could not be stored.
    virtual bool Close() = 0;
    // Closes the file if open and deletes it: what is left of a write that failed.
    virtual void Discard() = 0;
};
