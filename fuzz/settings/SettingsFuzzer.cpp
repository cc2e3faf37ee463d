// libFuzzer target: settings files and INI texts.
#include "fuzz/settings/SettingsFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzSettings(data, size);
}
