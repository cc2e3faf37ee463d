#include "plugin/export/win32/Win32OutputFile.h"

#include <windows.h>

namespace {

void* Open(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Write(void* file, const std::uint8_t* data, std::size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool Seek(void* file, std::uint32_t offset) {
    return SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) !=
           INVALID_SET_FILE_POINTER;
}

bool SeekEnd(void* file) {
    return SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER;
}

bool Close(void* file) {
    return CloseHandle(file) != 0;
}

void Remove(const std::string& path) {
    DeleteFileA(path.c_str());
}

} // namespace

const FileCalls kWin32FileCalls = {INVALID_HANDLE_VALUE, Open, Write, Seek, SeekEnd, Close, Remove};
