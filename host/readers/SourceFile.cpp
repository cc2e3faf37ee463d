#include "host/readers/SourceFile.h"

#include <utility>

namespace {
constexpr std::size_t kChunk = 64 * 1024;
} // namespace

SourceFile::SourceFile(std::string path) : path_(std::move(path)) {
    Open();
}

SourceFile::~SourceFile() {
    Close();
}

bool SourceFile::Open() {
    if (handle_ == nullptr && !path_.empty())
        handle_ = std::fopen(path_.c_str(), "rb");
    return IsOpen();
}

void SourceFile::Close() {
    chunk_.clear();
    chunkStart_ = 0;
    if (handle_ != nullptr) {
        std::fclose(handle_);
        handle_ = nullptr;
    }
}

std::uint64_t SourceFile::Size() {
    if (handle_ == nullptr || std::fseek(handle_, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(handle_);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

std::span<const std::uint8_t> SourceFile::BytesAt(std::uint64_t position) {
    if (handle_ == nullptr)
        return {};
    if (position < chunkStart_ || position >= chunkStart_ + chunk_.size()) {
        chunk_.resize(kChunk);
        if (std::fseek(handle_, static_cast<long>(position), SEEK_SET) != 0) {
            chunk_.clear();
            return {};
        }
        chunk_.resize(std::fread(chunk_.data(), 1, kChunk, handle_));
        chunkStart_ = position;
    }
    return std::span<const std::uint8_t>(chunk_).subspan(
        static_cast<std::size_t>(position - chunkStart_));
}
