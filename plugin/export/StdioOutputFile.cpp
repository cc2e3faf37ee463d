#include "plugin/export/StdioOutputFile.h"

#include <cstdio>

namespace {

std::FILE* AsFile(void* file) {
    return static_cast<std::FILE*>(file);
}

void* Open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    // The writer hands over whole buffers: pass them straight on, so that every failure
    // shows at the write that caused it.
    if (file)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

bool Write(void* file, const std::uint8_t* data, std::size_t size) {
    return std::fwrite(data, 1, size, AsFile(file)) == size;
}

bool Seek(void* file, std::uint32_t offset) {
    return std::fseek(AsFile(file), static_cast<long>(offset), SEEK_SET) == 0;
}

bool SeekEnd(void* file) {
    return std::fseek(AsFile(file), 0, SEEK_END) == 0;
}

bool Close(void* file) {
    return std::fclose(AsFile(file)) == 0;
}

void Remove(const std::string& path) {
    std::remove(path.c_str());
}

} // namespace

const FileCalls kStdioFileCalls = {nullptr, Open, Write, Seek, SeekEnd, Close, Remove};
