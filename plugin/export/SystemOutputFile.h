#pragma once
// An OutputFile on a file of the operating system, through the platform's FileCalls.

#include <string>

#include "common/OutputFile.h"

// The platform's file calls on an opaque handle; `none` stands for no file.
struct FileCalls {
    void* none;
    void* (*open)(const std::string& path); // creates or truncates; none on failure
    bool (*write)(void* file, const std::uint8_t* data, std::size_t size);
    bool (*seek)(void* file, std::uint32_t offset);
    bool (*seekEnd)(void* file);
    bool (*close)(void* file);
    void (*remove)(const std::string& path);
};

class SystemOutputFile : public OutputFile {
  public:
    SystemOutputFile(const SystemOutputFile&) = delete;
    SystemOutputFile& operator=(const SystemOutputFile&) = delete;
    ~SystemOutputFile() override;

    bool Create(const std::string& path) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    bool Close() override;
    void Discard() override;

  protected:
    explicit SystemOutputFile(const FileCalls& calls) : calls_(calls), file_(calls.none) {}

  private:
    const FileCalls& calls_;
    void* file_;
    std::string path_;
};
