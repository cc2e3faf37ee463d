#pragma once
// Where a reader's bytes come from: a picture file on disk (SourceFile) or a file's bytes
// already in memory (MemoryFile: the start-up picture, tests, fuzzing). Readers open the
// source for each pass over it and close it again, so no file stays open while the
// picture is shown.

#include <cstdint>
#include <span>

class ByteSource {
  public:
    virtual ~ByteSource() = default;

    // Makes the bytes readable, opening the file again when it was closed; false when it
    // cannot be opened.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // How many bytes there are while open; 0 when closed.
    virtual std::uint64_t Size() = 0;
    // The bytes from position on, as many as are at hand in one piece: at least one while
    // position lies before the end, none at or past it (or when closed). The view holds
    // until the next call.
    virtual std::span<const std::uint8_t> BytesAt(std::uint64_t position) = 0;
};

// Bytes in memory, read as a file. They are not copied and must outlive this object;
// nothing is ever opened or closed.
class MemoryFile final : public ByteSource {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Open() override { return true; }
    void Close() override {}
    std::uint64_t Size() override { return bytes_.size(); }
    std::span<const std::uint8_t> BytesAt(std::uint64_t position) override {
        return position < bytes_.size() ? bytes_.subspan(static_cast<std::size_t>(position))
                                        : std::span<const std::uint8_t>{};
    }

  private:
    std::span<const std::uint8_t> bytes_;
};
