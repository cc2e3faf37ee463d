#pragma once
// Where a writer's bytes go: a buffer, passed to the file whenever it is full, in explicit
// byte orders; length fields patched in place at the end; a failed flag that stays set.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "common/OutputFile.h"
#include "plugin/export/ByteOrder.h"
#include "plugin/mesh/MeshBuffers.h"

// How a writer's sink is set up: its buffer, and the threads that may put its text together
// (the plug-in's writers use one).
struct SinkSetup {
    std::span<std::uint8_t> buffer;
    int textThreads = 1;
};

class ByteSink {
  public:
    // buffer: size bytes (the plug-in's MeshBuffers::outputBuffer of kOutputBufferSize);
    // file: opened before the first byte reaches it. All outlive the sink. A record must fit
    // the buffer: size is more than kLargestRecord.
    ByteSink(std::uint8_t* buffer, std::size_t size, OutputFile& file)
        : buffer_(buffer), size_(size), file_(file) {}
    ByteSink(std::uint8_t* buffer, OutputFile& file) : ByteSink(buffer, kOutputBufferSize, file) {}
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    // Appends bytes, passing every full buffer to the file in one write. After a failed write
    // everything is dropped.
    void PutBytes(const void* data, std::size_t size) {
        if (fill_ + size < size_) {
            std::memcpy(buffer_ + fill_, data, size);
            fill_ += size;
        } else {
            PutBytesSlow(static_cast<const std::uint8_t*>(data), size);
        }
    }
    void PutU16LE(std::uint16_t value) { PutEncoded<2>(value, StoreU16LE); }
    void PutU32LE(std::uint32_t value) { PutEncoded<4>(value, StoreU32LE); }
    void PutF32LE(float value) { PutEncoded<4>(value, StoreF32LE); }
    void PutU32BE(std::uint32_t value) { PutEncoded<4>(value, StoreU32BE); }

    // Puts count records of `size` bytes (at most kLargestRecord), record i stored by
    // store(i, bytes): as many as the buffer takes go straight into it in one run.
    static constexpr std::size_t kLargestRecord = 1024;
    template <class Store> void PutRecords(std::size_t count, std::size_t size, Store store) {
        std::size_t i = 0;
        while (i < count) {
            // The buffer is flushed only when full, so a run stops one record short of that.
            const std::size_t fits = (size_ - 1 - fill_) / size;
            const std::size_t end = i + std::min(fits, count - i);
            std::uint8_t* out = buffer_ + fill_;
            for (; i < end; ++i, out += size)
                store(i, out);
            fill_ = static_cast<std::size_t>(out - buffer_);
            if (i < count) {
                std::uint8_t record[kLargestRecord];
                store(i, record);
                PutBytes(record, size);
                ++i;
            }
        }
    }
    // Puts one record of at most maxSize bytes (up to kLargestRecord): store(bytes) fills it
    // and returns its size. Straight into the buffer while it has room.
    template <class Store> void PutRecord(std::size_t maxSize, Store store) {
        if (fill_ + maxSize < size_) {
            fill_ += store(buffer_ + fill_);
        } else {
            std::uint8_t record[kLargestRecord];
            PutBytes(record, store(record));
        }
    }

    // Passes the waiting bytes to the file.
    void Flush();
    // Overwrites a 4-byte field at offset directly in the file, after flushing what waits.
    // Skipped once a write has failed.
    void PatchU32LE(std::uint32_t offset, std::uint32_t value);
    void PatchU32BE(std::uint32_t offset, std::uint32_t value);

    // Bytes put so far: the offset in the file of the next byte.
    std::uint64_t Position() const { return flushed_ + fill_; }
    bool Failed() const { return failed_; }

  private:
    template <std::size_t N, class T, class Store> void PutEncoded(T value, Store store) {
        std::uint8_t bytes[N];
        store(bytes, value);
        PutBytes(bytes, N);
    }
    void PutBytesSlow(const std::uint8_t* data, std::size_t size);
    void Patch(std::uint32_t offset, const std::uint8_t (&bytes)[4]);

    std::uint8_t* buffer_;
    std::size_t size_;
    OutputFile& file_;
    std::size_t fill_ = 0;
    std::uint64_t flushed_ = 0; // bytes passed on from the buffer
    bool failed_ = false;
};
