#pragma once
// Runs the tool in-process on the arguments a test gives, with its own temporary folder,
// and writes the same gray picture as BMP and as TIFF.

#include <string>
#include <vector>

#include "tests/support/ReaderTestSupport.h"
#include "toolbase/FreeSpace.h"

namespace clitest {

struct RunResult {
    int exitCode = -1;
    std::string out, err;
};

// args without the program name; freeSpace: what the outputs' file systems have free.
RunResult RunTool(const std::vector<std::string>& args,
                  const FreeSpaceQuery& freeSpace = FileSystemFreeBytes);

// A width x height 8-bit gray picture with a fixed pattern.
std::vector<std::uint8_t> GrayPattern(std::uint16_t width, std::uint16_t height);

// The picture as an 8-bit BMP with the identity gray ramp (bottom row first, as usual).
void WriteGrayBmp(const std::string& path, std::uint16_t width, std::uint16_t height,
                  const std::vector<std::uint8_t>& gray);
// The picture as an 8-bit BlackIsZero TIFF in several strips.
void WriteGrayTiff(const std::string& path, std::uint16_t width, std::uint16_t height,
                   const std::vector<std::uint8_t>& gray, bool bigEndian);

} // namespace clitest
