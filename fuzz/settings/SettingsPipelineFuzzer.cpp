// libFuzzer target: decoded settings through sampling, points, the preview and every writer.
#include "fuzz/settings/SettingsPipelineFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzSettingsPipeline(data, size);
}
