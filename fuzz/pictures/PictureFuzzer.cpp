// libFuzzer target: the command-line tool's PNG, JPEG and libtiff decoders.
#include "fuzz/pictures/PictureFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPictureDecoders(data, size);
}
