#include "plugin/export/SystemOutputFile.h"

SystemOutputFile::~SystemOutputFile() {
    Close();
}

bool SystemOutputFile::Create(const std::string& path) {
    Close();
    file_ = calls_.open(path);
    if (file_ == calls_.none)
        return false;
    path_ = path;
    return true;
}

bool SystemOutputFile::Write(const std::uint8_t* data, std::size_t size) {
    return file_ != calls_.none && calls_.write(file_, data, size);
}

bool SystemOutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (file_ == calls_.none || !calls_.seek(file_, offset))
        return false;
    const bool written = calls_.write(file_, data, size);
    return calls_.seekEnd(file_) && written;
}

bool SystemOutputFile::Close() {
    if (file_ == calls_.none)
        return true;
    const bool closed = calls_.close(file_);
    file_ = calls_.none;
    return closed;
}

void SystemOutputFile::Discard() {
    Close();
    if (!path_.empty())
        calls_.remove(path_);
    path_.clear();
}
