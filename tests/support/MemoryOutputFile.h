#pragma once
// An OutputFile in memory that behaves as a file on disk does (writes append, a patch
// overwrites in place and leaves the end where it was, closing twice is harmless), records
// what it was asked, and fails where a test says.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/OutputFile.h"

class MemoryOutputFile final : public OutputFile {
  public:
    bool Create(const std::string& path) override {
        created = path;
        if (refuseCreate)
            return false;
        bytes.clear();
        open = true;
        return true;
    }
    bool Write(const std::uint8_t* data, std::size_t size) override {
        writes.push_back(size);
        if (!open || writes.size() == failAtWrite)
            return false;
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override {
        ++patches;
        if (!open || failPatch)
            return false;
        // As a seek past the end and a write would: the gap reads as zeros.
        if (bytes.size() < offset + size)
            bytes.resize(offset + size);
        std::copy(data, data + size, bytes.begin() + offset);
        return true;
    }
    bool Close() override {
        if (!open)
            return true;
        open = false;
        ++closes;
        return !failClose;
    }
    void Discard() override {
        Close();
        bytes.clear();
        discarded = true;
    }

    // Failures to script.
    bool refuseCreate = false;
    bool failClose = false;
    bool failPatch = false;
    std::size_t failAtWrite = 0; // 1-based; 0 never

    // What happened.
    std::string created; // the path of the last Create
    bool open = false;
    std::vector<std::size_t> writes; // the size of every Write, failed ones included
    std::vector<std::uint8_t> bytes; // the file's contents
    int patches = 0;
    int closes = 0; // of an open file
    bool discarded = false;
};
