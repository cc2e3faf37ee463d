#pragma once
// Picks the reader for an opened file by its first two bytes, never by its name:
// "BM" is a BMP file, "II" or "MM" a TIFF file.

#include <memory>
#include <string_view>

#include "common/MessageReporter.h"
#include "host/readers/ByteSource.h"
#include "host/readers/FileImageSource.h"

enum class FileKind { Bmp, Tiff, Unknown };

inline constexpr std::string_view kUnknownFileTypeText = "Not a recognizable file type";

// Reads the first two bytes of an open source and closes it again.
FileKind DetectFileKind(ByteSource& bytes);

// The reader for bytes, or null for an unknown kind (nothing is shown then: the caller
// says "Not a recognizable file type" its own way). A refusing reader is returned too,
// after it has shown its message; check IsValid, or Error for why.
std::unique_ptr<FileImageSource> CreateImageSource(ByteSource& bytes, MessageReporter& reporter);
