#pragma once
// An OutputFile that takes every byte and keeps none of them, only their count: for runs
// whose files would only cost memory.

#include <cstdint>
#include <string>

#include "common/OutputFile.h"

class CountingOutputFile final : public OutputFile {
  public:
    bool Create(const std::string&) override { return true; }
    bool Write(const std::uint8_t*, std::size_t size) override {
        written += size;
        return true;
    }
    bool WriteAt(std::uint32_t, const std::uint8_t*, std::size_t) override { return true; }
    bool Close() override { return true; }
    void Discard() override {}

    std::uint64_t written = 0;
};
