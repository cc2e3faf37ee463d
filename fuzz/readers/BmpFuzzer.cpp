// libFuzzer target: BMP file reader and start-up picture reader.
#include "fuzz/readers/ReaderFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzBmpReaders(data, size);
}
