#include "tools/veltrano_table/table_files.h"

#include <algorithm>

#include "grid/file/grid_file.h"
#include "grid/file/grid_file_format.h"
#include "grid/file/grid_file_reader.h"
#include "tools/veltrano_table/empty_table.h"
#include "tools/veltrano_table/file_reason.h"

namespace veltrano::tools {

bool startsAsTableFile(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= grid::file::kMagic.size() &&
           std::equal(grid::file::kMagic.begin(), grid::file::kMagic.end(), bytes.begin());
}

std::optional<grid::file::FileBytes> TableFiles::read(const std::string& path) {
    auto bytes = files_.readFile(path);
    if (!bytes) {
        err_ << programName_ << ": cannot read " << path << reasonText(files_.lastError(), FileUse::Reading) << "\n";
    }
    return bytes;
}

std::optional<grid::GridModel> TableFiles::load(const std::string& path, int* version, std::size_t* size) {
    const std::optional<grid::file::FileBytes> bytes = read(path);
    if (!bytes) {
        return std::nullopt;
    }
    auto table = fromBytes(*bytes, path);
    if (table && version != nullptr) *version = lastVersion_;
    if (table && size != nullptr) *size = bytes->size();
    return table;
}

std::optional<grid::GridModel> TableFiles::fromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
    grid::GridModel grid;
    const grid::file::GridFileReadResult result = grid::file::readGridFile(bytes, grid, codec_);
    if (!result.ok()) {
        const grid::file::GridFileError& error = *result.error;
        err_ << programName_ << ": " << name;
        // A file of some other kind is not "damaged": say what it is not.
        err_ << (startsAsTableFile(bytes) ? ": " : " is not a Veltrano table file: ");
        err_ << "damaged " << grid::file::sectionName(error.section) << " at byte offset " << error.offset << ": "
             << error.reason << "\n";
        return std::nullopt;
    }
    lastVersion_ = result.version;
    return grid;
}

std::optional<grid::GridModel> TableFiles::loadOrStartEmpty(const std::string& path, bool& existed) {
    const auto bytes = files_.readFile(path);
    existed = bytes.has_value();
    if (bytes) {
        return fromBytes(*bytes, path);
    }
    if (files_.lastError() != std::errc::no_such_file_or_directory) {
        err_ << programName_ << ": cannot read " << path << reasonText(files_.lastError(), FileUse::Reading) << "\n";
        return std::nullopt;
    }
    return fromBytes(emptyProgramTable(), "the empty table");
}

bool TableFiles::save(const grid::GridModel& table, const std::string& path, bool existed) {
    std::error_code reason;
    if (grid::file::saveGridFile(table, path, files_, codec_, &reason)) {
        return true;
    }
    err_ << programName_ << ": cannot write " << path << reasonText(reason, FileUse::Writing)
         << (existed ? "; it is unchanged" : "") << "\n";
    return false;
}

}  // namespace veltrano::tools
