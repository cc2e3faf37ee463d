#pragma once
// Why a reader refused its file, and the message the user sees for it.

#include <cstdint>
#include <string_view>

#include "common/MessageReporter.h"

// The numbers are those the readers have always used.
enum class ReaderError : std::uint16_t {
    None = 0,
    UncommonTiffVersion = 1,
    UnsupportedBitsPerPixel = 2,
    UnsupportedCompression = 3,
    DamagedFile = 4,   // sizes, offsets or counts that the file cannot hold
    ImageTooLarge = 5, // more pixel memory than an image may take
    UnsupportedBmpHeader = 6,
    TiledTiff = 7, // the picture is stored in tiles, which are not read
};

inline constexpr std::string_view kReaderCaption = "QuorvShell Message";

// The text shown for error; any other value gets the catch-all text.
std::string_view ReaderErrorText(ReaderError error);

// Shows the text for error with the readers' caption and an OK button.
void ShowReaderError(MessageReporter& reporter, ReaderError error);
