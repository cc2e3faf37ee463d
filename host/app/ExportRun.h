#pragma once
// What the host puts in the export record and the order in which it calls the plug-in.

#include <cstdint>
#include <functional>

#include "common/ExportRecord.h"

// The picture handed to the plug-in: rows top row first, stride bytes apart.
struct ExportImage {
    const std::uint8_t* bits;
    std::uint16_t width;
    std::uint16_t height;
    std::uint32_t stride;
    std::uint16_t bitsPerPixel;
};

// The plug-in reads one byte per pixel and takes the low 16 bits of rowBytes, so only an
// 8-bit picture with pixels whose rows hold their width and fit 16 bits can be exported.
bool IsExportable(const ExportImage& image);

// What the host lends the plug-in through the record; all kept alive by the host.
struct LentToPlugin {
    ProgressProc progressProc;
    HostProc hostProc;
    PlatformData* platformData;
    BufferProcs* bufferProcs;
};

// Fills the fields the host writes into a zero-filled record for an exportable image.
void FillExportRecord(ExportRecord& record, const ExportImage& image, const LentToPlugin& lent);

enum class ExportOutcome {
    kDone,     // prepare, start and continue left 0; finish was called
    kDeclined, // a positive result: the user said No (to the polygon count at start)
    kFailed,   // a negative result: the plug-in could not run
};

// Calls prepare, start and continue, stopping at the first non-zero result, then finish
// when all three succeeded. call makes one entry-point call and returns the result word.
ExportOutcome RunExportSelectors(const std::function<std::int16_t(std::int16_t)>& call);
