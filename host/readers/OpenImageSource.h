#pragma once
// Picks the reader for an opened file by its first two bytes, never by its name:
// "BM" is a BMP file, "II" or "MM" a TIFF file.

#include <memory>

#include "common/MessageReporter.h"
#include "host/readers/ImageSource.h"
#include "host/readers/SourceFile.h"

enum class FileKind { Bmp, Tiff, Unknown };

inline constexpr std::string_view kUnknownFileTypeText = "Not a recognizable file type";

// Reads the first two bytes of an open file and closes it again.
FileKind DetectFileKind(SourceFile& file);

// The reader for file, or null for an unknown kind (nothing is shown then: the caller
// says "Not a recognizable file type" its own way). A refusing reader is returned too,
// after it has shown its message; check IsValid.
std::unique_ptr<ImageSource> CreateImageSource(SourceFile& file, MessageReporter& reporter);
