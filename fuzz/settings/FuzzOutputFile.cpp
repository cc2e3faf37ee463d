#include "fuzz/settings/FuzzOutputFile.h"

#include <cstring>

bool FuzzOutputFile::Create(const std::string&) {
    bytes_.clear();
    open_ = true;
    closed_ = false;
    return true;
}

bool FuzzOutputFile::Write(const std::uint8_t* data, std::size_t size) {
    if (!open_)
        return false;
    bytes_.insert(bytes_.end(), data, data + size);
    return true;
}

bool FuzzOutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (!open_ || offset > bytes_.size() || size > bytes_.size() - offset) {
        ++badPatches_;
        return false;
    }
    if (size)
        std::memcpy(bytes_.data() + offset, data, size);
    return true;
}

bool FuzzOutputFile::Close() {
    const bool wasOpen = open_;
    open_ = false;
    closed_ = wasOpen;
    return wasOpen;
}

void FuzzOutputFile::Discard() {
    open_ = false;
    closed_ = false;
    bytes_.clear();
}
