#pragma once
// Runs a reader over a file, or over bytes in memory, and keeps everything it did: whether
// a reader took the file at all, why it refused it, what it delivered and every box it
// showed on the way.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/readers/ByteSource.h"
#include "host/readers/ReaderError.h"
#include "tests/support/ReaderTestSupport.h"
#include "tests/support/Recorders.h"

// Failure messages name a code by its number.
inline void PrintTo(ReaderError error, std::ostream* out) {
    *out << "ReaderError " << static_cast<int>(error);
}

namespace readertest {

enum class ReaderChoice { ByFirstBytes, Bmp, Tiff };

struct ReadOutcome {
    bool recognised = false; // a reader was made (chosen, or the first bytes were BM, II or MM)
    bool valid = false;
    ReaderError error = ReaderError::None;
    Decoded decoded; // only when valid
    // Rows the file held in full when it was decoded (RowsPresent); only when valid.
    std::uint32_t rowsPresent = 0;
    std::vector<ShownMessage> shown;
};

ReadOutcome Read(ByteSource& bytes, ReaderChoice choice = ReaderChoice::ByFirstBytes);
ReadOutcome ReadMemory(const std::vector<std::uint8_t>& bytes,
                       ReaderChoice choice = ReaderChoice::ByFirstBytes);
// The file at path, read by the reader its first two bytes choose.
ReadOutcome ReadFile(const std::string& path);

// Refused for error, with exactly one box that shows that error's text.
::testing::AssertionResult RefusedWith(const ReadOutcome& outcome, ReaderError error);

} // namespace readertest
