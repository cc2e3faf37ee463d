#include "plugin/export/win32/Win32OutputFile.h"

Win32OutputFile::~Win32OutputFile() {
    Close();
}

bool Win32OutputFile::Create(const std::string& path) {
    Close();
    file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    path_ = path;
    return true;
}

bool Win32OutputFile::Write(const std::uint8_t* data, std::size_t size) {
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    return WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool Win32OutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (file_ == INVALID_HANDLE_VALUE || SetFilePointer(file_, static_cast<LONG>(offset), nullptr,
                                                        FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    const bool written = Write(data, size);
    // Back to the end, where the next write belongs.
    return SetFilePointer(file_, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER && written;
}

bool Win32OutputFile::Close() {
    if (file_ == INVALID_HANDLE_VALUE)
        return true;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return closed;
}

void Win32OutputFile::Discard() {
    Close();
    if (!path_.empty())
        DeleteFileA(path_.c_str());
    path_.clear();
}
