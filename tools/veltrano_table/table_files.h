#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "grid/file/file_system.h"
#include "grid/model/byte_picture_codec.h"
#include "grid/model/grid_model.h"

namespace veltrano::tools {

// Reads, loads and saves table files for the tool's commands, and says on
// `err` why one cannot be, in one line with the system's reason, headed by
// the name of the program that reports it.
class TableFiles {
public:
    TableFiles(grid::file::FileSystem& files, std::ostream& err, std::string programName = "veltrano-table")
        : files_(files), err_(err), programName_(std::move(programName)) {}

    std::optional<grid::file::FileBytes> read(const std::string& path);

    std::optional<grid::GridModel> load(const std::string& path, int* version = nullptr, std::size_t* size = nullptr);

    std::optional<grid::GridModel> fromBytes(std::span<const std::uint8_t> bytes, const std::string& name);

    // The table at path, or the program's empty table when no file is there
    // (existed tells which). Only a missing file counts: one that cannot be
    // read or does not load is the user's data, reported and never replaced.
    std::optional<grid::GridModel> loadOrStartEmpty(const std::string& path, bool& existed);

    bool save(const grid::GridModel& table, const std::string& path, bool existed);

    grid::BytePictureCodec& codec() { return codec_; }
    const std::string& programName() const { return programName_; }

private:
    grid::file::FileSystem& files_;
    std::ostream& err_;
    std::string programName_;
    grid::BytePictureCodec codec_;
    int lastVersion_ = 0;
};

// Whether bytes start the way every table file starts.
bool startsAsTableFile(std::span<const std::uint8_t> bytes);

}  // namespace veltrano::tools
