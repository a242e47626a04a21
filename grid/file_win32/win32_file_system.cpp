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

class Win32FileWriter final : public FileWriter {
public:
    explicit Win32FileWriter(HANDLE handle) : file_(handle) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), piece, &written, nullptr) || written == 0) {
                return false;
            }
            bytes = bytes.subspan(written);
        }
        return true;
    }

    bool finish() override {
        const bool flushed = file_.valid() && ::FlushFileBuffers(file_.get()) != FALSE;
        return file_.close() && flushed;
    }

private:
    FileHandle file_;
};

class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) override {
        const std::wstring wide = widePath(path);
        if (wide.empty()) {
            return std::nullopt;
        }
        FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file.valid() || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
            static_cast<std::uint64_t>(size.QuadPart) > kMaxReadSize) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            DWORD got = 0;
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 20));
            if (!::ReadFile(file.get(), bytes.data() + filled, piece, &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) {
                break;
            }
            filled += got;
        }
        bytes.resize(filled);
        return bytes;
    }

    std::unique_ptr<FileWriter> createTemporaryBeside(const std::string& path, std::string& temporaryPath) override {
        const std::wstring wide = widePath(path);
        if (wide.empty() || wide.back() == L'\\' || wide.back() == L'/') {
            return nullptr;
        }
        constexpr unsigned kAttempts = 16;
        for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
            const std::wstring candidate = siblingName(wide, L"tmp", attempt);
            const HANDLE handle =
                ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                if (::GetLastError() == ERROR_FILE_EXISTS) {
                    continue;
                }
                return nullptr;
            }
            temporaryPath = narrowPath(candidate);
            return std::make_unique<Win32FileWriter>(handle);
        }
        return nullptr;
    }

    bool replaceFile(const std::string& temporaryPath, const std::string& path) override {
        const std::wstring source = widePath(temporaryPath);
        const std::wstring target = widePath(path);
        // Wine's ReplaceFileW moves a folder out of the way like a file.
        if (source.empty() || target.empty() || isFolder(target)) {
            return false;
        }
        if (!exists(target)) {
            return ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        }
        // With a backup name the original is only renamed, never deleted,
        // before the new file is in place.
        std::wstring backup;
        for (unsigned attempt = 0; backup.empty() || exists(backup); ++attempt) {
            if (attempt == 16) {
                return false;
            }
            backup = siblingName(target, L"bak", attempt);
        }
        if (::ReplaceFileW(target.c_str(), source.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                           nullptr)) {
            ::DeleteFileW(backup.c_str());
            return true;
        }
        if (::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            // The original went to the backup name and the new file could
            // not follow: bring the original back.
            ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }
        return false;
    }

    bool removeFile(const std::string& path) override {
        const std::wstring wide = widePath(path);
        return !wide.empty() && ::DeleteFileW(wide.c_str()) != FALSE;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeSystemFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace veltrano::grid::file
