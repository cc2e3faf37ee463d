#include "host/app/win32/LentProcedures.h"

#include <windows.h>

namespace {

constexpr std::uint16_t kBufferProcsVersion = 1933;
constexpr std::uint16_t kBufferProcsCount = 1;

// The buffer identifier is a 32-bit word: the global-memory handle, as 32-bit hosts keep it.
HGLOBAL BlockOf(std::int32_t id) {
    return reinterpret_cast<HGLOBAL>(static_cast<std::intptr_t>(id));
}

std::int16_t __cdecl AllocateBuffer(std::int32_t size, std::int32_t* bufferId) {
    HGLOBAL block = size > 0 ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size) : nullptr;
    *bufferId = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(block));
    return 0;
}

void* __cdecl LockBuffer(std::int32_t bufferId, std::uint8_t) {
    return GlobalLock(BlockOf(bufferId));
}

void __cdecl UnlockBuffer(std::int32_t bufferId) {
    GlobalUnlock(BlockOf(bufferId));
}

void __cdecl FreeBuffer(std::int32_t bufferId) {
    GlobalFree(BlockOf(bufferId));
}

} // namespace

void __cdecl AnswerHostProc(std::int16_t selector, std::int32_t* value) {
    if (selector == 0 && value)
        *value = 1;
}

BufferProcs HostBufferProcs() {
    return {kBufferProcsVersion, kBufferProcsCount, AllocateBuffer,
            LockBuffer,          UnlockBuffer,      FreeBuffer};
}
