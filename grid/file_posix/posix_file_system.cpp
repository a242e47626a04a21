#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "grid/file/file_system.h"

namespace veltrano::grid::file {
namespace {

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

class PosixFileWriter final : public FileWriter {
public:
    // replaced: the file this one is to take the place of.
    PosixFileWriter(int fd, std::string replaced) : fd_(fd), replaced_(std::move(replaced)) {}

    bool write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written < 0) {
                error_ = lastSystemError();
                return false;
            }
            if (written == 0) {
                error_ = std::make_error_code(std::errc::io_error);
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            written_ += static_cast<std::uint64_t>(written);
        }
        startWriteback();
        return true;
    }

    bool finish() override {
        releaseReplacedCache();
        const bool synced = fd_.valid() && ::fsync(fd_.get()) == 0;
        if (!synced) {
            error_ = lastSystemError();
        }
        const bool closed = fd_.close();
        if (synced && !closed) {
            error_ = lastSystemError();
        }
        return synced && closed;
    }

    std::error_code error() const override { return error_; }

private:
    // The disk starts on what is written while the rest is still being
    // made, so finish() waits for the tail rather than the whole file. Only
    // a start: finish() still flushes everything, and a failure here is
    // left for it to find.
    void startWriteback() {
#ifdef __linux__
        if (written_ - startedUpTo_ < kWritebackStep) {
            return;
        }
        ::sync_file_range(fd_.get(), static_cast<off_t>(startedUpTo_), static_cast<off_t>(written_ - startedUpTo_),
                          SYNC_FILE_RANGE_WRITE);
        startedUpTo_ = written_;
#endif
    }

    // Putting the new file in place drops the old one's pages from the
    // cache, which costs about as much as writing them. Dropped now, while
    // the disk still takes the new file's last pages, that work is done in
    // time spent waiting anyway. Only cached copies go: the old file's
    // content stays as it is until the new one is in place.
    void releaseReplacedCache() {
#ifdef __linux__
        if (fd_.valid() && written_ > startedUpTo_) {
            ::sync_file_range(fd_.get(), static_cast<off_t>(startedUpTo_), 0, SYNC_FILE_RANGE_WRITE);
            startedUpTo_ = written_;
        }
        // Only a plain file: opening a pipe or a device may wait or act.
        struct stat status {};
        if (::lstat(replaced_.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            return;
        }
        const Descriptor old(::open(replaced_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (old.valid() && ::fstat(old.get(), &status) == 0 && S_ISREG(status.st_mode)) {
            ::posix_fadvise(old.get(), 0, 0, POSIX_FADV_DONTNEED);
        }
#endif
    }

    static constexpr std::uint64_t kWritebackStep = 1 << 20;

    Descriptor fd_;
    std::string replaced_;
    std::error_code error_;
    std::uint64_t written_ = 0;
    std::uint64_t startedUpTo_ = 0;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

class PosixFileSystem final : public FileSystem {
public:
    std::optional<FileBytes> readFile(const std::string& path) override {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat status {};
        if (!fd.valid() || ::fstat(fd.get(), &status) != 0) {
            return noteFailure(lastSystemError());
        }
        if (S_ISDIR(status.st_mode)) {
            return noteFailure(std::make_error_code(std::errc::is_a_directory));
        }
        if (!S_ISREG(status.st_mode)) {
            return noteFailure(std::make_error_code(std::errc::not_supported));
        }
        if (static_cast<std::uint64_t>(status.st_size) > kMaxReadSize) {
            return noteFailure(std::make_error_code(std::errc::file_too_large));
        }
        FileBytes bytes(static_cast<std::size_t>(status.st_size));
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return noteFailure(lastSystemError());
            }
            if (got == 0) {
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
        bytes.shrink(filled);
        return bytes;
    }

    std::unique_ptr<FileWriter> createTemporaryBeside(const std::string& path, std::string& temporaryPath) override {
        const auto slash = path.rfind('/');
        const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        if (base.empty()) {
            noteFailure(std::make_error_code(std::errc::is_a_directory));
            return nullptr;
        }
        const std::string prefix =
            (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "." + base + ".tmp-";
        std::random_device random;
        constexpr int kAttempts = 16;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
            const std::string candidate = prefix + suffix;
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0) {
                if (errno == EEXIST) {
                    continue;
                }
                noteFailure(lastSystemError());
                return nullptr;
            }
            // The new file takes the place of the old one, so it keeps its
            // permissions.
            struct stat original {};
            if (::stat(path.c_str(), &original) == 0 && S_ISREG(original.st_mode)) {
                ::fchmod(fd, original.st_mode & 07777);
            }
            temporaryPath = candidate;
            return std::make_unique<PosixFileWriter>(fd, path);
        }
        noteFailure(std::make_error_code(std::errc::file_exists));
        return nullptr;
    }

    bool replaceFile(const std::string& temporaryPath, const std::string& path) override {
        if (::rename(temporaryPath.c_str(), path.c_str()) != 0) {
            noteFailure(lastSystemError());
            return false;
        }
        // Makes the new name durable; the content already is.
        Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) {
            ::fsync(folder.get());
        }
        return true;
    }

    bool removeFile(const std::string& path) override {
        if (::unlink(path.c_str()) != 0) {
            noteFailure(lastSystemError());
            return false;
        }
        return true;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeSystemFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace veltrano::grid::file
