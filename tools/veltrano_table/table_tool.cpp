#include "tools/veltrano_table/table_tool.h"

#include "grid/file/grid_file_reader.h"
#include "grid/model/byte_picture_codec.h"
#include "grid/model/grid_model.h"
#include "tools/veltrano_table/table_json.h"

#include <optional>
#include <vector>

namespace veltrano::tools {
namespace {

constexpr const char* kUsage =
    "usage: veltrano-table show FILE    print the table in FILE as JSON\n"
    "       veltrano-table check FILE   tell whether FILE loads as a table\n";

}  // namespace

int runTableTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                 grid::file::FileSystem& files) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kExitOk;
    }
    if (arguments.size() != 2 || (arguments[0] != "show" && arguments[0] != "check")) {
        err << "veltrano-table: expected a command and one file name\n" << kUsage;
        return kExitUsage;
    }
    const std::string& command = arguments[0];
    const std::string& path = arguments[1];

    const std::optional<std::vector<std::uint8_t>> bytes = files.readFile(path);
    if (!bytes) {
        err << "veltrano-table: cannot read " << path << "\n";
        return kExitDamaged;
    }
    grid::GridModel grid;
    grid::BytePictureCodec codec;
    const grid::file::GridFileReadResult result = grid::file::readGridFile(*bytes, grid, codec);
    if (!result.ok()) {
        const grid::file::GridFileError& error = *result.error;
        err << "veltrano-table: " << path << ": damaged " << grid::file::sectionName(error.section)
            << " at byte offset " << error.offset << ": " << error.reason << "\n";
        return kExitDamaged;
    }
    if (command == "check") {
        out << path << ": version " << result.version << " table of " << grid.rowCount() << " rows and "
            << grid.columnCount() << " columns, " << bytes->size() << " bytes\n";
        return kExitOk;
    }
    writeTableJson(grid, result.version, codec, out);
    out.flush();
    return out ? kExitOk : kExitDamaged;
}

}  // namespace veltrano::tools
