#pragma once
// An OutputFile that hands each write to a thread of its own, so that the next buffer is
// filled while the operating system takes the last one. Made for a ByteSink that alternates
// two buffers: the bytes of a write must stay untouched until the next call.

#include <condition_variable>
#include <mutex>
#include <thread>

#include "common/OutputFile.h"

class BackgroundOutputFile final : public OutputFile {
  public:
    // file: does the writing; outlives this.
    explicit BackgroundOutputFile(OutputFile& file);
    ~BackgroundOutputFile() override;
    BackgroundOutputFile(const BackgroundOutputFile&) = delete;
    BackgroundOutputFile& operator=(const BackgroundOutputFile&) = delete;

    bool Create(const std::string& path) override;
    // Waits for the write before, then starts this one; false when an earlier write failed
    // (this one is then dropped).
    bool Write(const std::uint8_t* data, std::size_t size) override;
    // These wait for the write under way first; each says whether it failed.
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    bool Close() override;
    void Discard() override;

  private:
    // Waits until no write is under way; false when one failed.
    bool Settle();
    void Run();

    OutputFile& file_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::uint8_t* data_ = nullptr; // the write under way, if any
    std::size_t size_ = 0;
    bool failed_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
