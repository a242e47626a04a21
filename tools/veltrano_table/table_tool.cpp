#include "tools/veltrano_table/table_tool.h"

#include <optional>
#include <vector>

#include "grid/file/grid_file.h"
#include "grid/file/grid_file_reader.h"
#include "grid/model/byte_picture_codec.h"
#include "grid/model/grid_model.h"
#include "tools/veltrano_table/empty_table.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/table_json.h"

namespace veltrano::tools {
namespace {

constexpr const char* kUsage =
    "usage: veltrano-table show FILE          print the table in FILE as JSON\n"
    "       veltrano-table check FILE         tell whether FILE loads as a table\n"
    "       veltrano-table export FILE --csv  print the keys and codes of FILE as CSV\n"
    "                                         (row, device, key, code; UTF-8)\n"
    "       veltrano-table import CSV FILE    put the codes of CSV into FILE (a new FILE\n"
    "                                         starts as the program's empty table); every\n"
    "                                         code is checked first, and with any bad one\n"
    "                                         nothing is written\n"
    "       veltrano-table diff A B           list the keys whose codes differ; exit 0\n"
    "                                         when none does, 1 when some do\n";

// Reads and loads a table file, or says why not on `err`.
class TableFiles {
public:
    TableFiles(grid::file::FileSystem& files, std::ostream& err) : files_(files), err_(err) {}

    std::optional<grid::GridModel> load(const std::string& path, int* version = nullptr, std::size_t* size = nullptr) {
        const std::optional<std::vector<std::uint8_t>> bytes = files_.readFile(path);
        if (!bytes) {
            err_ << "veltrano-table: cannot read " << path << "\n";
            return std::nullopt;
        }
        auto table = fromBytes(*bytes, path);
        if (table && version != nullptr) *version = lastVersion_;
        if (table && size != nullptr) *size = bytes->size();
        return table;
    }

    std::optional<grid::GridModel> fromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
        grid::GridModel grid;
        const grid::file::GridFileReadResult result = grid::file::readGridFile(bytes, grid, codec_);
        if (!result.ok()) {
            const grid::file::GridFileError& error = *result.error;
            err_ << "veltrano-table: " << name << ": damaged " << grid::file::sectionName(error.section)
                 << " at byte offset " << error.offset << ": " << error.reason << "\n";
            return std::nullopt;
        }
        lastVersion_ = result.version;
        return grid;
    }

    bool exists(const std::string& path) { return files_.readFile(path).has_value(); }

    bool save(const grid::GridModel& table, const std::string& path) {
        if (grid::file::saveGridFile(table, path, files_, codec_)) return true;
        err_ << "veltrano-table: cannot write " << path << "; it is unchanged\n";
        return false;
    }

    grid::BytePictureCodec& codec() { return codec_; }

private:
    grid::file::FileSystem& files_;
    std::ostream& err_;
    grid::BytePictureCodec codec_;
    int lastVersion_ = 0;
};

int showOrCheck(const std::string& command, const std::string& path, std::ostream& out, TableFiles& tables) {
    int version = 0;
    std::size_t size = 0;
    const auto table = tables.load(path, &version, &size);
    if (!table) return kExitDamaged;
    if (command == "check") {
        out << path << ": version " << version << " table of " << table->rowCount() << " rows and "
            << table->columnCount() << " columns, " << size << " bytes\n";
        return kExitOk;
    }
    writeTableJson(*table, version, tables.codec(), out);
    out.flush();
    return out ? kExitOk : kExitDamaged;
}

int exportCsv(const std::string& path, std::ostream& out, std::ostream& err, TableFiles& tables) {
    const auto table = tables.load(path);
    if (!table) return kExitDamaged;
    if (!exportKeyTableCsv(*table, out)) {
        err << "veltrano-table: " << path << " holds text that cannot be written as UTF-8\n";
        return kExitDamaged;
    }
    return kExitOk;
}

int importCsv(const std::string& csvPath, const std::string& path, std::ostream& out, std::ostream& err,
              grid::file::FileSystem& files, TableFiles& tables) {
    const auto csv = files.readFile(csvPath);
    if (!csv) {
        err << "veltrano-table: cannot read " << csvPath << "\n";
        return kExitDamaged;
    }
    // A table that is there but does not load is the user's data: it is
    // reported, never replaced by an empty one.
    auto table = tables.exists(path) ? tables.load(path) : tables.fromBytes(emptyProgramTable(), "the empty table");
    if (!table) return kExitDamaged;
    const std::string_view text(reinterpret_cast<const char*>(csv->data()), csv->size());
    const std::vector<ImportProblem> problems = importKeyTableCsv(text, *table);
    if (!problems.empty()) {
        for (const ImportProblem& problem : problems) {
            err << csvPath;
            if (problem.line > 0) err << ": line " << problem.line;
            if (problem.row > 0) err << ", row " << problem.row;
            err << ": " << problem.reason << "\n";
        }
        err << "veltrano-table: nothing was written to " << path << "\n";
        return kExitDamaged;
    }
    if (!tables.save(*table, path)) return kExitDamaged;
    out << path << ": codes taken from " << csvPath << "\n";
    return kExitOk;
}

std::string utf8(std::string_view gbk) {
    const auto converted = gbkToUtf8(gbk);
    return converted ? *converted : std::string("?");
}

int diff(const std::string& first, const std::string& second, std::ostream& out, TableFiles& tables) {
    const auto a = tables.load(first);
    const auto b = tables.load(second);
    if (!a || !b) return kExitUsage;
    const std::vector<CodeDifference> differences = differingCodes(*a, *b);
    for (const CodeDifference& difference : differences) {
        out << "row " << difference.row << " " << utf8(difference.device) << " " << utf8(difference.key) << ": "
            << utf8(difference.first) << " | " << utf8(difference.second) << "\n";
    }
    out.flush();
    return differences.empty() ? kExitOk : kExitDamaged;
}

}  // namespace

int runTableTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                 grid::file::FileSystem& files) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kExitOk;
    }
    TableFiles tables(files, err);
    const std::string command = arguments.empty() ? std::string() : arguments[0];
    if ((command == "show" || command == "check") && arguments.size() == 2) {
        return showOrCheck(command, arguments[1], out, tables);
    }
    if (command == "export" && arguments.size() == 3 && arguments[2] == "--csv") {
        return exportCsv(arguments[1], out, err, tables);
    }
    if (command == "import" && arguments.size() == 3) {
        return importCsv(arguments[1], arguments[2], out, err, files, tables);
    }
    if (command == "diff" && arguments.size() == 3) {
        return diff(arguments[1], arguments[2], out, tables);
    }
    err << "veltrano-table: unknown command or wrong arguments\n" << kUsage;
    return kExitUsage;
}

}  // namespace veltrano::tools
