#pragma once
// Text put together by two threads, in blocks, in order: the writer's thread puts every other
// block straight into its sink while a helper thread puts the block after it into a buffer of
// its own, which the writer's thread then passes on. The bytes are those one thread writes.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "plugin/export/ByteSink.h"

class SharedText {
  public:
    // A block writes its text into the sink it is given; it owns the data it needs.
    using Block = std::function<void(ByteSink&)>;

    // sink: the writer's; outlives this.
    explicit SharedText(ByteSink& sink);
    ~SharedText();
    SharedText(const SharedText&) = delete;
    SharedText& operator=(const SharedText&) = delete;

    // The next block of the text.
    void Add(Block block);
    // Puts what is still held; the text is complete after it.
    void Finish();

  private:
    void Run();

    ByteSink& sink_;
    std::optional<Block> held_; // the writer's own next block, waiting for the one after it
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Block> job_; // the helper's block while it is being written
    bool stopping_ = false;
    std::vector<std::uint8_t> text_; // the helper's block as written
    std::thread thread_;
};
