#include "tests/cli/CliTestSupport.h"

#include <sstream>

#include "tests/support/BmpBuilder.h"
#include "tests/support/TiffBuilder.h"
#include "tool/RunQuorvmesh.h"

namespace clitest {

RunResult RunTool(const std::vector<std::string>& args, const FreeSpaceQuery& freeSpace) {
    std::vector<std::string> all = {"quorvmesh"};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out, err;
    CliOptions options;
    RunResult result;
    if (auto code = ParseCommandLine(all, options, out, err)) {
        result.exitCode = *code;
    } else {
        CliConsole console{out, err, false, freeSpace};
        result.exitCode = RunQuorvmesh(options, console);
    }
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::vector<std::uint8_t> GrayPattern(std::uint16_t width, std::uint16_t height) {
    std::vector<std::uint8_t> gray(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            gray[y * width + x] = static_cast<std::uint8_t>((x * 37 + y * y * 11 + (x ^ y)) % 256);
    return gray;
}

void WriteGrayBmp(const std::string& path, std::uint16_t width, std::uint16_t height,
                  const std::vector<std::uint8_t>& gray) {
    readertest::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    for (int i = 0; i < 256; ++i)
        layout.colorTable.insert(layout.colorTable.end(),
                                 {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                  static_cast<std::uint8_t>(i), 0});
    const std::uint32_t stride = (width + 3u) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        const auto row = gray.begin() + static_cast<std::ptrdiff_t>(y) * width;
        layout.pixelData.insert(layout.pixelData.end(), row, row + width);
        layout.pixelData.resize(layout.pixelData.size() + stride - width, 0);
    }
    WriteBytes(path, readertest::BuildBmp(layout));
}

void WriteGrayTiff(const std::string& path, std::uint16_t width, std::uint16_t height,
                   const std::vector<std::uint8_t>& gray, bool bigEndian) {
    WriteBytes(path, readertest::GrayTiff(width, height, gray, bigEndian, 5));
}

} // namespace clitest
