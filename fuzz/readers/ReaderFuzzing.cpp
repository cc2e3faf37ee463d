#include "fuzz/readers/ReaderFuzzing.h"

#include <algorithm>
#include <memory>
#include <span>

#include "host/image/HostImage.h"
#include "host/readers/BmpFileSource.h"
#include "host/readers/BmpResourceSource.h"
#include "host/readers/ByteSource.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/TiffFileSource.h"

namespace {
class SilentReporter final : public MessageReporter {
  public:
    void Show(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return false; }
};

// The input at the very end of its own block, so reading one byte too far is caught.
std::unique_ptr<std::uint8_t[]> CopyToEnd(const std::uint8_t* data, std::size_t size) {
    auto copy = std::make_unique<std::uint8_t[]>(size == 0 ? 1 : size);
    std::copy(data, data + size, copy.get());
    return copy;
}

void BuildAndConvert(ImageSource& source, int screenBitsPerPixel = 24) {
    if (!source.IsValid())
        return;
    HostImage image(source, screenBitsPerPixel);
    image.ConvertToGray();
    image.InvertGrays();
}
} // namespace

int FuzzBmpReaders(const std::uint8_t* data, std::size_t size) {
    const auto copy = CopyToEnd(data, size);
    const std::span<const std::uint8_t> bytes(copy.get(), size);
    SilentReporter reporter;
    MemoryFile file(bytes);
    BmpFileSource fileSource(file, reporter);
    BuildAndConvert(fileSource);
    BmpResourceSource resourceSource(bytes);
    BuildAndConvert(resourceSource);
    return 0;
}

int FuzzTiffReader(const std::uint8_t* data, std::size_t size) {
    const auto copy = CopyToEnd(data, size);
    SilentReporter reporter;
    MemoryFile file(std::span<const std::uint8_t>(copy.get(), size));
    TiffFileSource source(file, reporter);
    BuildAndConvert(source);
    return 0;
}

int FuzzPaletteScreen(const std::uint8_t* data, std::size_t size) {
    constexpr int kPaletteScreen = 8;
    const auto copy = CopyToEnd(data, size);
    SilentReporter reporter;
    MemoryFile file(std::span<const std::uint8_t>(copy.get(), size));
    if (const auto source = CreateImageSource(file, reporter))
        BuildAndConvert(*source, kPaletteScreen);
    return 0;
}
