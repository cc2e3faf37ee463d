// libFuzzer target: the solid and triangle path, from small pictures and options to the file
// read back.
#include "fuzz/solid/SolidFuzzing.h"

// lib3mf's reader leaves a few of libzip's blocks behind each time; the leak checker is told
// so, and still checks everything of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libzip.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzSolid(data, size);
}
