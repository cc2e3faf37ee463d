#pragma once
// Why a reader refused its file, and the message the user sees for it.

#include <cstdint>
#include <string_view>

#include "common/MessageReporter.h"

enum ReaderError : std::uint16_t {
    kReaderOk = 0,
    kUncommonTiffVersion = 1,
    kUnsupportedBitsPerPixel = 2,
    kUnsupportedCompression = 3,
    kDamagedFile = 4,   // sizes, offsets or counts that the file cannot hold
    kImageTooLarge = 5, // more pixel memory than an image may take
    kUnsupportedBmpHeader = 6,
};

inline constexpr std::string_view kReaderCaption = "QuorvShell Message";

// The text shown for error; an unknown code gets the catch-all text.
std::string_view ReaderErrorText(std::uint16_t error);

// Shows the text for error with the readers' caption and an OK button.
void ShowReaderError(MessageReporter& reporter, std::uint16_t error);
