#include "plugin/run/win32/PluginMemory.h"

#include <windows.h>

void* AllocateAndLock(std::size_t bytes) {
    HGLOBAL handle = GlobalAlloc(GHND, bytes);
    if (!handle)
        return nullptr;
    void* pointer = GlobalLock(handle);
    if (!pointer)
        GlobalFree(handle);
    return pointer;
}

void ReleaseByPointer(void* pointer) {
    if (!pointer)
        return;
    if (HGLOBAL handle = GlobalHandle(pointer)) {
        GlobalUnlock(handle);
        GlobalFree(handle);
    }
}

void* AllocateFixed(std::size_t bytes) {
    return GlobalAlloc(GPTR, bytes);
}

void ReleaseFixed(void* block) {
    GlobalFree(block);
}
