#pragma once
// Selectors that the host passes to ENTRYPOINT1 and the result codes the plug-in leaves.

#include <cstdint>

// The step of an export run that a call asks for. The host passes it in a 32-bit slot;
// only the low 16 bits count.
enum ExportSelector : std::int16_t {
    exportSelectorAbout = 0,
    exportSelectorStart = 1,
    exportSelectorContinue = 2,
    exportSelectorFinish = 3,
    exportSelectorPrepare = 4,
};

// Result word values. 0 goes on with the run, a positive value means the user declined,
// a negative one is an error.
inline constexpr std::int16_t noErr = 0;
inline constexpr std::int16_t userDeclined = 1;
inline constexpr std::int16_t memFullErr = -108;
inline constexpr std::int16_t exportBadParameters = -30200;
inline constexpr std::int16_t exportBadMode = -30201;

// imageMode of the only kind of image the plug-in accepts.
inline constexpr std::int16_t grayScaleMode = 1;

// The selector carried in the low 16 bits of a 32-bit argument slot.
constexpr std::int16_t SelectorFromSlot(std::int32_t slot) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(static_cast<std::uint32_t>(slot) & 0xFFFFu));
}
