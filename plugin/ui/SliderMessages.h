#pragma once
// The messages a "Slider" window answers and the notifications it sends its parent. The
// numbers are fixed (first user message 1024 plus 200 to 207; codes 0x7FFB to 0x7FFE).

#include <cstdint>

// wParam 0 replaces the pointer painter, any other value the background painter; lParam is
// the painter. Ignored when sent from a thread other than the slider's.
inline constexpr unsigned SLM_SETPAINTER = 1224;
// lParam: any value, kept for the owner.
inline constexpr unsigned SLM_SETUSERWORD = 1225;
// lParam: pointer width in the low 16 bits, height in the high 16 bits.
inline constexpr unsigned SLM_SETTHUMBSIZE = 1226;
// wParam: client y of the pointer's tip, or -1 for client height - pointer height - 1.
inline constexpr unsigned SLM_SETTRACKY = 1227;
// wParam: the value; stores the value the pointer's new position stands for and repaints.
inline constexpr unsigned SLM_SETVALUE = 1228;
// wParam 0 returns the value, any other the pointer's centre x; sign-extended.
inline constexpr unsigned SLM_GETPOS = 1229;
// Returns minimum in the low 16 bits and maximum in the high 16 bits.
inline constexpr unsigned SLM_GETRANGE = 1230;
// lParam: minimum in the low 16 bits, maximum in the high 16 bits.
inline constexpr unsigned SLM_SETRANGE = 1231;

// Sent as WM_COMMAND: wParam = the slider's control id, lParam = code in the high 16 bits and
// the value in the low 16 bits.
inline constexpr std::uint16_t SLN_TRACK = 0x7FFB;      // the pointer moved during a drag
inline constexpr std::uint16_t SLN_RELEASE = 0x7FFC;    // button released; the final value
inline constexpr std::uint16_t SLN_HOLDREPEAT = 0x7FFD; // still held still, each further 250 ms
inline constexpr std::uint16_t SLN_HOLD = 0x7FFE;       // held still for 250 ms, the first time

// Bits of a slider's flags.
inline constexpr std::uint16_t SLF_REPAINTMOVE = 2; // move the pointer by repainting its rectangles
inline constexpr std::uint16_t SLF_LOGSCALE = 4;    // logarithmic scale

// Window style bit that makes a slider vertical when it is created.
inline constexpr std::uint32_t SLS_VERTICAL = 0x1000;

// The window property that holds a slider's data block.
inline constexpr const char* kSliderDataProperty = "SLDATA";

// The parts of a notification's lParam. The value is the 16-bit field as sent; the dialog
// reads it unsigned.
constexpr std::uint16_t SliderNotifyCode(std::uint32_t lParam) {
    return static_cast<std::uint16_t>(lParam >> 16);
}
constexpr std::uint16_t SliderNotifyValue(std::uint32_t lParam) {
    return static_cast<std::uint16_t>(lParam & 0xFFFFu);
}
constexpr std::uint32_t SliderNotifyParam(std::uint16_t code, int value) {
    return (std::uint32_t{code} << 16) | (static_cast<std::uint32_t>(value) & 0xFFFFu);
}
