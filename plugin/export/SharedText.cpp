#include "plugin/export/SharedText.h"

#include <utility>

namespace {

// Gathers what a sink passes on.
class TextFile final : public OutputFile {
  public:
    explicit TextFile(std::vector<std::uint8_t>& text) : text_(text) {}
    bool Create(const std::string&) override { return true; }
    bool Write(const std::uint8_t* data, std::size_t size) override {
        text_.insert(text_.end(), data, data + size);
        return true;
    }
    bool WriteAt(std::uint32_t, const std::uint8_t*, std::size_t) override { return false; }
    bool Close() override { return true; }
    void Discard() override { text_.clear(); }

  private:
    std::vector<std::uint8_t>& text_;
};

constexpr std::size_t kHelperBufferSize = 64 * 1024;

} // namespace

SharedText::SharedText(ByteSink& sink) : sink_(sink), thread_([this] { Run(); }) {}

SharedText::~SharedText() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SharedText::Run() {
    std::vector<std::uint8_t> buffer(kHelperBufferSize);
    TextFile file(text_);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || job_; });
        if (!job_)
            return;
        lock.unlock();
        ByteSink sink(buffer.data(), buffer.size(), file);
        (*job_)(sink);
        sink.Flush();
        lock.lock();
        job_.reset();
        changed_.notify_all();
    }
}

void SharedText::Add(Block block) {
    if (!held_) {
        held_ = std::move(block);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        text_.clear();
        job_ = std::move(block);
    }
    changed_.notify_all();
    (*held_)(sink_);
    held_.reset();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !job_; });
    sink_.PutBytes(text_.data(), text_.size());
}

void SharedText::Finish() {
    if (held_)
        (*held_)(sink_);
    held_.reset();
}
