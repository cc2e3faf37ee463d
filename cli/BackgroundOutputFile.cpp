#include "cli/BackgroundOutputFile.h"

BackgroundOutputFile::BackgroundOutputFile(OutputFile& file)
    : file_(file), thread_([this] { Run(); }) {}

BackgroundOutputFile::~BackgroundOutputFile() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundOutputFile::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || data_; });
        if (!data_)
            return;
        const std::uint8_t* data = data_;
        const std::size_t size = size_;
        lock.unlock();
        const bool written = file_.Write(data, size);
        lock.lock();
        failed_ = failed_ || !written;
        data_ = nullptr;
        changed_.notify_all();
    }
}

bool BackgroundOutputFile::Settle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !data_; });
    return !failed_;
}

bool BackgroundOutputFile::Create(const std::string& path) {
    Settle();
    failed_ = false;
    return file_.Create(path);
}

bool BackgroundOutputFile::Write(const std::uint8_t* data, std::size_t size) {
    if (!Settle())
        return false;
    {
        std::lock_guard lock(mutex_);
        data_ = data;
        size_ = size;
    }
    changed_.notify_all();
    return true;
}

bool BackgroundOutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data,
                                   std::size_t size) {
    return Settle() && file_.WriteAt(offset, data, size);
}

bool BackgroundOutputFile::Close() {
    const bool written = Settle();
    return file_.Close() && written;
}

void BackgroundOutputFile::Discard() {
    Settle();
    file_.Discard();
}
