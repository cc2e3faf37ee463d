// libFuzzer target: BMP and TIFF files shown on an 8-bit screen (median-cut palette).
#include "fuzz/readers/ReaderFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPaletteScreen(data, size);
}
