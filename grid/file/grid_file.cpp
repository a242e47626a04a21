#include "grid/file/grid_file.h"

#include <new>

#include "grid/file/grid_file_writer.h"

namespace veltrano::grid::file {
namespace {

// A temporary file that is removed again unless it was put in place. The
// writer is closed before the removal, which an open file would prevent.
class TemporaryFile {
public:
    TemporaryFile(FileSystem& files, std::string path, std::unique_ptr<FileWriter> writer)
        : files_(files), path_(std::move(path)), writer_(std::move(writer)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        writer_.reset();
        if (!placed_) {
            files_.removeFile(path_);
        }
    }

    FileWriter& writer() { return *writer_; }

    bool finishAndPlace(const std::string& target, std::error_code& reason) {
        const bool finished = writer_->finish();
        if (!finished) {
            reason = writer_->error();
        }
        writer_.reset();
        placed_ = finished && files_.replaceFile(path_, target);
        if (finished && !placed_) {
            reason = files_.lastError();
        }
        return placed_;
    }

private:
    FileSystem& files_;
    std::string path_;
    std::unique_ptr<FileWriter> writer_;
    bool placed_ = false;
};

}  // namespace

bool saveGridFile(const GridModel& grid, const std::string& path, FileSystem& files, PictureCodec& codec,
                  std::error_code* reason) {
    std::error_code ignored;
    std::error_code& why = reason != nullptr ? *reason : ignored;
    why.clear();
    if (path.empty()) {
        why = std::make_error_code(std::errc::no_such_file_or_directory);
        return false;
    }
    std::string temporaryPath;
    std::unique_ptr<FileWriter> writer = files.createTemporaryBeside(path, temporaryPath);
    if (!writer) {
        why = files.lastError();
        return false;
    }
    TemporaryFile temporary(files, temporaryPath, std::move(writer));
    try {
        if (!writeGridFile(grid, codec, temporary.writer())) {
            why = temporary.writer().error();
            return false;
        }
    } catch (const std::bad_alloc&) {
        why = std::make_error_code(std::errc::not_enough_memory);
        return false;
    }
    return temporary.finishAndPlace(path, why);
}

bool loadGridFile(GridModel& grid, const std::string& path, FileSystem& files, PictureCodec& codec) {
    try {
        const std::optional<FileBytes> bytes = files.readFile(path);
        return bytes && readGridFile(*bytes, grid, codec).ok();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace veltrano::grid::file
