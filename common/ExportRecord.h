#pragma once
// The blocks that cross the boundary between an export host and the plug-in module, in the
// published 32-bit layout. Every offset is fixed; the reserved stretches stay zero. In a
// 32-bit build the layout is checked field by field below; native builds use the same
// declarations with their own pointer size (nothing native crosses a module boundary).

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define QM_CDECL __cdecl
#else
#define QM_CDECL
#endif

// Procedures the host lends; all cdecl.
using ProgressProc = void(QM_CDECL*)(std::int32_t done, std::int32_t total);
using TestAbortProc = std::uint8_t(QM_CDECL*)();
using HostProc = void(QM_CDECL*)(std::int16_t selector, std::int32_t* value);
using AllocateBufferProc = std::int16_t(QM_CDECL*)(std::int32_t size, std::int32_t* bufferId);
using LockBufferProc = void*(QM_CDECL*)(std::int32_t bufferId, std::uint8_t moveHigh);
using UnlockBufferProc = void(QM_CDECL*)(std::int32_t bufferId);
using FreeBufferProc = void(QM_CDECL*)(std::int32_t bufferId);

// The entry point: selector slot, record, per-run data word, result word.
using ExportEntryProc = void(QM_CDECL*)(std::int32_t selector, void* record, std::intptr_t* data,
                                        std::int16_t* result);

// The host window that owns the plug-in's dialogs and boxes.
struct PlatformData {
    std::intptr_t hwnd;
};

struct BufferProcs {
    std::uint16_t version; // 1933 as hosts fill it; not read
    std::uint16_t count;   // 1; not read
    AllocateBufferProc allocateProc;
    LockBufferProc lockProc;
    UnlockBufferProc unlockProc;
    FreeBufferProc freeProc;
};

struct ExportPoint {
    std::int16_t v, h; // rows, columns
};

struct ExportRect {
    std::int16_t top, left, bottom, right;
};

struct ExportRecord {
    std::int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    std::int32_t maxData;
    std::int16_t imageMode;
    ExportPoint imageSize;
    std::int16_t depth;
    std::int16_t planes;
    std::uint8_t reservedResolutionAndColours[778];
    ExportRect theRect;
    std::int16_t loPlane;
    std::int16_t hiPlane;
    const void* data;
    std::int32_t rowBytes;
    std::uint8_t reservedDocumentName[258];
    std::uint8_t dirty;
    std::uint8_t reservedAfterDirty[13];
    HostProc hostProc;
    std::uint8_t reservedBeforePlatform[48];
    PlatformData* platformData;
    BufferProcs* bufferProcs;
    std::uint8_t reservedTail[248];
};

// Passed instead of the ExportRecord with the about selector.
struct AboutRecord {
    PlatformData* platformData;
    std::uint8_t reserved[252];
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PlatformData) == 4);
static_assert(sizeof(BufferProcs) == 20);
static_assert(offsetof(BufferProcs, allocateProc) == 4);
static_assert(offsetof(BufferProcs, freeProc) == 16);
static_assert(sizeof(AboutRecord) == 256);
static_assert(sizeof(ExportRecord) == 1404);
static_assert(offsetof(ExportRecord, serialNumber) == 0);
static_assert(offsetof(ExportRecord, abortProc) == 4);
static_assert(offsetof(ExportRecord, progressProc) == 8);
static_assert(offsetof(ExportRecord, maxData) == 12);
static_assert(offsetof(ExportRecord, imageMode) == 16);
static_assert(offsetof(ExportRecord, imageSize) + offsetof(ExportPoint, v) == 18);
static_assert(offsetof(ExportRecord, imageSize) + offsetof(ExportPoint, h) == 20);
static_assert(offsetof(ExportRecord, depth) == 22);
static_assert(offsetof(ExportRecord, planes) == 24);
static_assert(offsetof(ExportRecord, reservedResolutionAndColours) == 26);
static_assert(offsetof(ExportRecord, theRect) + offsetof(ExportRect, top) == 804);
static_assert(offsetof(ExportRecord, theRect) + offsetof(ExportRect, left) == 806);
static_assert(offsetof(ExportRecord, theRect) + offsetof(ExportRect, bottom) == 808);
static_assert(offsetof(ExportRecord, theRect) + offsetof(ExportRect, right) == 810);
static_assert(offsetof(ExportRecord, loPlane) == 812);
static_assert(offsetof(ExportRecord, hiPlane) == 814);
static_assert(offsetof(ExportRecord, data) == 816);
static_assert(offsetof(ExportRecord, rowBytes) == 820);
static_assert(offsetof(ExportRecord, reservedDocumentName) == 824);
static_assert(offsetof(ExportRecord, dirty) == 1082);
static_assert(offsetof(ExportRecord, reservedAfterDirty) == 1083);
static_assert(offsetof(ExportRecord, hostProc) == 1096);
static_assert(offsetof(ExportRecord, reservedBeforePlatform) == 1100);
static_assert(offsetof(ExportRecord, platformData) == 1148);
static_assert(offsetof(ExportRecord, bufferProcs) == 1152);
static_assert(offsetof(ExportRecord, reservedTail) == 1156);
#endif
