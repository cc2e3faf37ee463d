// libFuzzer target: TIFF file reader.
#include "fuzz/readers/ReaderFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzTiffReader(data, size);
}
