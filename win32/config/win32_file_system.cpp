#include "win32/config/win32_file_system.h"

#include <windows.h>

#include <algorithm>

namespace tockbell {

namespace {

// Closes a file handle when it goes out of scope.
struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
};

}  // namespace

FileSystem::ReadResult Win32FileSystem::Read(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
    }
    ReadResult result{ReadStatus::Ok, {}};
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return result;
        result.content.append(buffer, got);
    }
    return {ReadStatus::Unreadable, {}};
}

std::optional<FileSystem::Stamp> Win32FileSystem::StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return Stamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                 static_cast<std::int64_t>(join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime))};
}

bool Win32FileSystem::Write(const std::string& path, std::string_view content) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) return false;
    while (!content.empty()) {
        DWORD put = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
        if (!WriteFile(file.handle, content.data(), chunk, &put, nullptr) || put == 0) return false;
        content.remove_prefix(put);
    }
    return FlushFileBuffers(file.handle) != 0;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::Remove(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace tockbell
