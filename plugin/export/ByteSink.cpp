#include "plugin/export/ByteSink.h"

void ByteSink::PutBytesSlow(const std::uint8_t* data, std::size_t size) {
    while (size > 0 && !failed_) {
        const std::size_t take = std::min(size, size_ - fill_);
        std::memcpy(buffer_ + fill_, data, take);
        fill_ += take;
        data += take;
        size -= take;
        if (fill_ == size_)
            Flush();
    }
}

void ByteSink::Flush() {
    if (!failed_ && fill_ > 0 && !file_.Write(buffer_, fill_))
        failed_ = true;
    flushed_ += fill_;
    fill_ = 0;
}

void ByteSink::PatchU32LE(std::uint32_t offset, std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32LE(bytes, value);
    Patch(offset, bytes);
}

void ByteSink::PatchU32BE(std::uint32_t offset, std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32BE(bytes, value);
    Patch(offset, bytes);
}

void ByteSink::Patch(std::uint32_t offset, const std::uint8_t (&bytes)[4]) {
    // The patch goes straight to the file, so the field must be there already.
    Flush();
    if (!failed_ && !file_.WriteAt(offset, bytes, sizeof bytes))
        failed_ = true;
}
