#pragma once
// What an export needs from its surroundings, and how it ended.

#include "common/MessageReporter.h"
#include "common/OutputFile.h"
#include "common/ProgressSink.h"
#include "common/ResourceBytes.h"
#include "common/SaveFileChooser.h"

struct ExportServices {
    SaveFileChooser& chooser;
    OutputFile& file;
    ProgressSink& progress;
    MessageReporter& messages;
    const ResourceBytes& resources; // "TdsHdr" and "TdsFtr" for 3DS files
};

enum class ExportOutcome {
    Written,        // the whole file is on disk
    Cancelled,      // the user chose no file; nothing written, nothing shown
    RefusedByLimit, // the mesh does not fit the format; the user was told, no file
    CannotCreate,   // the file could not be created; the user was told
    WriteFailed,    // a write failed; the user was told and the incomplete file removed
};

// Texts of the boxes an export can show.
inline constexpr const char* kTooManyVerticesText =
    "This file format cannot accomodate this many verticies.";
inline constexpr const char* kTooManyVerticesCaption = "File Error.";
inline constexpr const char* kCannotCreateText = "Problem Creating File!";
inline constexpr const char* kExportErrorCaption = "ERROR!";
inline constexpr const char* kWriteFailedText =
    "Problem Writing File!\nThe file could not be written completely and has been removed.";
