#include "plugin/export/StdioOutputFile.h"

StdioOutputFile::~StdioOutputFile() {
    Close();
}

bool StdioOutputFile::Create(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return false;
    // The writer hands over whole buffers: pass them straight on, so that every failure
    // shows at the write that caused it.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    path_ = path;
    return true;
}

bool StdioOutputFile::Write(const std::uint8_t* data, std::size_t size) {
    return file_ && std::fwrite(data, 1, size, file_) == size;
}

bool StdioOutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (!file_ || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    const bool written = std::fwrite(data, 1, size, file_) == size;
    // Back to the end, where the next write belongs.
    return std::fseek(file_, 0, SEEK_END) == 0 && written;
}

bool StdioOutputFile::Close() {
    if (!file_)
        return true;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

void StdioOutputFile::Discard() {
    Close();
    if (!path_.empty())
        std::remove(path_.c_str());
    path_.clear();
}
