#include "host/readers/SourceFile.h"

#include <utility>

SourceFile::SourceFile(std::string path) : path(std::move(path)) {
    Open();
}

SourceFile::SourceFile(std::string name, std::span<const std::uint8_t> bytes)
    : path(std::move(name)), memory(bytes), inMemory(true) {
    Open();
}

SourceFile::~SourceFile() {
    Close();
}

bool SourceFile::Open() {
    if (inMemory)
        memoryOpen = true;
    else if (handle == nullptr && !path.empty())
        handle = std::fopen(path.c_str(), "rb");
    return IsOpen();
}

void SourceFile::Close() {
    memoryOpen = false;
    if (handle != nullptr) {
        std::fclose(handle);
        handle = nullptr;
    }
}
