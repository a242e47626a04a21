#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "grid/file/file_system.h"

namespace veltrano::grid::file {
namespace {

constexpr UINT kTableCodePage = 936;

// Owns a kernel file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    bool close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != FALSE;
    }

private:
    HANDLE handle_;
};

// Empty for a path that is not valid code page 936 text.
std::wstring widePath(const std::string& path) {
    if (path.empty() || path.size() > static_cast<std::size_t>(MAXLONG)) {
        return {};
    }
    const int size = static_cast<int>(path.size());
    const int length = ::MultiByteToWideChar(kTableCodePage, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kTableCodePage, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
    return wide;
}

std::string narrowPath(const std::wstring& path) {
    const int size = static_cast<int>(path.size());
    const int length = ::WideCharToMultiByte(kTableCodePage, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(kTableCodePage, 0, path.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// A name beside path that no file has yet.
std::wstring siblingName(const std::wstring& path, const wchar_t* kind, unsigned attempt) {
    wchar_t suffix[48];
    std::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%ls-%08lx-%08lx-%u", kind,
                  static_cast<unsigned long>(::GetCurrentProcessId()), static_cast<unsigned long>(::GetTickCount()),
                  attempt);
    return path + suffix;
}

bool exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The system's error as one of the few reasons the POSIX side reports too.
std::error_code reasonOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH: return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED: return std::make_error_code(std::errc::permission_denied);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return std::make_error_code(std::errc::device_or_resource_busy);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_WRITE_PROTECT: return std::make_error_code(std::errc::read_only_file_system);
        case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return std::make_error_code(std::errc::not_enough_memory);
        default: return std::make_error_code(std::errc::io_error);
    }
}

// A folder refuses to be opened as a file with "access denied"; the user
// is better told what it is.
std::error_code reasonFor(const std::wstring& path, DWORD error) {
    if (error == ERROR_ACCESS_DENIED && isFolder(path)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    return reasonOf(error);
}

class Win32FileWriter final : public FileWriter {
public:
    explicit Win32FileWriter(HANDLE handle) : file_(handle) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), piece, &written, nullptr)) {
                error_ = reasonOf(::GetLastError());
                return false;
            }
            if (written == 0) {
                error_ = std::make_error_code(std::errc::io_error);
                return false;
            }
            bytes = bytes.subspan(written);
        }
        return true;
    }

    bool finish() override {
        const bool flushed = file_.valid() && ::FlushFileBuffers(file_.get()) != FALSE;
        if (!flushed) {
            error_ = reasonOf(::GetLastError());
        }
        const bool closed = file_.close();
        if (flushed && !closed) {
            error_ = reasonOf(::GetLastError());
        }
        return flushed && closed;
    }

    std::error_code error() const override { return error_; }

private:
    FileHandle file_;
    std::error_code error_;
};

class Win32FileSystem final : public FileSystem {
public:
    std::optional<FileBytes> readFile(const std::string& path) override {
        const std::wstring wide = widePath(path);
        if (wide.empty()) {
            return noteFailure(std::make_error_code(std::errc::no_such_file_or_directory));
        }
        FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file.valid() || !::GetFileSizeEx(file.get(), &size)) {
            return noteFailure(reasonFor(wide, ::GetLastError()));
        }
        if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxReadSize) {
            return noteFailure(std::make_error_code(std::errc::file_too_large));
        }
        FileBytes bytes(static_cast<std::size_t>(size.QuadPart));
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            DWORD got = 0;
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 20));
            if (!::ReadFile(file.get(), bytes.data() + filled, piece, &got, nullptr)) {
                return noteFailure(reasonOf(::GetLastError()));
            }
            if (got == 0) {
                break;
            }
            filled += got;
        }
        bytes.shrink(filled);
        return bytes;
    }

    std::unique_ptr<FileWriter> createTemporaryBeside(const std::string& path, std::string& temporaryPath) override {
        const std::wstring wide = widePath(path);
        if (wide.empty()) {
            noteFailure(std::make_error_code(std::errc::no_such_file_or_directory));
            return nullptr;
        }
        if (wide.back() == L'\\' || wide.back() == L'/') {
            noteFailure(std::make_error_code(std::errc::is_a_directory));
            return nullptr;
        }
        constexpr unsigned kAttempts = 16;
        for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
            const std::wstring candidate = siblingName(wide, L"tmp", attempt);
            const HANDLE handle =
                ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                const DWORD error = ::GetLastError();
                if (error == ERROR_FILE_EXISTS) {
                    continue;
                }
                noteFailure(reasonOf(error));
                return nullptr;
            }
            temporaryPath = narrowPath(candidate);
            return std::make_unique<Win32FileWriter>(handle);
        }
        noteFailure(std::make_error_code(std::errc::file_exists));
        return nullptr;
    }

    bool replaceFile(const std::string& temporaryPath, const std::string& path) override {
        const std::wstring source = widePath(temporaryPath);
        const std::wstring target = widePath(path);
        if (source.empty() || target.empty()) {
            noteFailure(std::make_error_code(std::errc::no_such_file_or_directory));
            return false;
        }
        // Wine's ReplaceFileW moves a folder out of the way like a file.
        if (isFolder(target)) {
            noteFailure(std::make_error_code(std::errc::is_a_directory));
            return false;
        }
        if (!exists(target)) {
            if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            noteFailure(reasonOf(::GetLastError()));
            return false;
        }
        // With a backup name the original is only renamed, never deleted,
        // before the new file is in place.
        std::wstring backup;
        for (unsigned attempt = 0; backup.empty() || exists(backup); ++attempt) {
            if (attempt == 16) {
                noteFailure(std::make_error_code(std::errc::file_exists));
                return false;
            }
            backup = siblingName(target, L"bak", attempt);
        }
        if (::ReplaceFileW(target.c_str(), source.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                           nullptr)) {
            ::DeleteFileW(backup.c_str());
            return true;
        }
        const DWORD error = ::GetLastError();
        noteFailure(reasonOf(error));
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            // The original went to the backup name and the new file could
            // not follow: bring the original back.
            ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }
        return false;
    }

    bool removeFile(const std::string& path) override {
        const std::wstring wide = widePath(path);
        if (wide.empty()) {
            noteFailure(std::make_error_code(std::errc::no_such_file_or_directory));
            return false;
        }
        if (!::DeleteFileW(wide.c_str())) {
            noteFailure(reasonFor(wide, ::GetLastError()));
            return false;
        }
        return true;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeSystemFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace veltrano::grid::file
