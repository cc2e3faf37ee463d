#include "host/readers/PackBits.h"

#include <algorithm>
#include <cstring>

bool DecodePackBitsRow(ByteReader& reader, std::uint8_t* row, std::uint32_t rowBytes) {
    std::uint32_t produced = 0;
    std::uint8_t literal[128];
    while (produced < rowBytes) {
        std::uint8_t control = 0;
        if (!reader.U8(control))
            return false;
        if (control < 128) { // n + 1 literal bytes
            const std::uint32_t count = control + 1u;
            if (reader.Read(literal, count) != count)
                return false;
            const std::uint32_t kept = std::min(count, rowBytes - produced);
            std::memcpy(row + produced, literal, kept);
            produced += kept;
        } else if (control > 128) { // one byte repeated 1 - n times
            std::uint8_t value = 0;
            if (!reader.U8(value))
                return false;
            const std::uint32_t kept = std::min(257u - control, rowBytes - produced);
            std::memset(row + produced, value, kept);
            produced += kept;
        }
        // -128 does nothing.
    }
    return true;
}
