#pragma once
// An output file held in memory, for fuzzing the writers without touching the disk. A
// patch outside what was written is a writer fault: it is refused, and counted.

#include <cstdint>
#include <vector>

#include "common/OutputFile.h"

class FuzzOutputFile final : public OutputFile {
  public:
    bool Create(const std::string& path) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    bool Close() override;
    void Discard() override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    bool Closed() const { return closed_; }
    int BadPatches() const { return badPatches_; }

  private:
    std::vector<std::uint8_t> bytes_;
    bool open_ = false;
    bool closed_ = false;
    int badPatches_ = 0;
};
