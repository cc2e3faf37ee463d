#include "plugin/export/win32/Win32OutputFile.h"

namespace {

// The file a link points at, so that the link keeps pointing there and the file it names
// gets the new contents. Looked up at run time: older systems have no such call, and there
// a path is its own file.
std::string FinalPath(HANDLE file, const std::string& path) {
    using FinalPathProc = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    const auto finalPath = reinterpret_cast<FinalPathProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    char buffer[MAX_PATH];
    const DWORD length = finalPath ? finalPath(file, buffer, MAX_PATH, 0) : 0;
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

} // namespace

Win32OutputFile::~Win32OutputFile() {
    Discard();
}

bool Win32OutputFile::Create(const std::string& path) {
    Discard();
    failed_ = false;
    target_ = path;
    const HANDLE existing =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A file that exists but cannot be written (read-only, a folder) is refused as before.
        if (error != ERROR_FILE_NOT_FOUND)
            return false;
        return CreateBeside();
    }
    if (GetFileType(existing) != FILE_TYPE_DISK) {
        file_ = existing; // a device or a pipe: the destination itself
        return true;
    }
    target_ = FinalPath(existing, path);
    CloseHandle(existing);
    return CreateBeside();
}

bool Win32OutputFile::CreateBeside() {
    char temporary[MAX_PATH];
    if (GetTempFileNameA(FolderOf(target_).c_str(), "qm", 0, temporary) == 0)
        return false;
    temporary_ = temporary;
    file_ = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        Discard();
        return false;
    }
    return true;
}

bool Win32OutputFile::Write(const std::uint8_t* data, std::size_t size) {
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    if (WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) && written == size)
        return true;
    failed_ = true;
    return false;
}

bool Win32OutputFile::WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) {
    if (file_ == INVALID_HANDLE_VALUE || SetFilePointer(file_, static_cast<LONG>(offset), nullptr,
                                                        FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        failed_ = true;
        return false;
    }
    const bool written = Write(data, size);
    // Back to the end, where the next write belongs.
    if (SetFilePointer(file_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER)
        failed_ = true;
    return written && !failed_;
}

void Win32OutputFile::CloseHandleOnly() {
    if (file_ != INVALID_HANDLE_VALUE && !CloseHandle(file_))
        failed_ = true;
    file_ = INVALID_HANDLE_VALUE;
}

bool Win32OutputFile::Close() {
    if (file_ == INVALID_HANDLE_VALUE)
        return !failed_;
    CloseHandleOnly();
    if (failed_ || temporary_.empty())
        return !failed_;
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        failed_ = true;
        return false; // the writer discards, which removes the file beside
    }
    temporary_.clear();
    return true;
}

void Win32OutputFile::Discard() {
    CloseHandleOnly();
    if (!temporary_.empty())
        DeleteFileA(temporary_.c_str());
    temporary_.clear();
}
