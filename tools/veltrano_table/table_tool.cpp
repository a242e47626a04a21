#include "tools/veltrano_table/table_tool.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "tools/veltrano_table/csv_import.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/message_text.h"
#include "tools/veltrano_table/table_files.h"
#include "tools/veltrano_table/table_json.h"

namespace veltrano::tools {
namespace {

constexpr const char* kUsage =
    "usage: veltrano-table show FILE          print the table in FILE as JSON\n"
    "       veltrano-table check FILE         tell whether FILE loads as a table\n"
    "       veltrano-table export FILE --csv  print the keys and codes of FILE as CSV\n"
    "                                         (row, device, key, code; UTF-8)\n"
    "       veltrano-table import CSV FILE    put the codes of CSV into FILE (a new FILE\n"
    "                                         starts as the program's empty table); CSV\n"
    "                                         is UTF-8, GBK or UTF-16 with commas, or with\n"
    "                                         ; or tabs when its header shows them; every\n"
    "                                         code is checked first, and with any bad one\n"
    "                                         nothing is written\n"
    "       veltrano-table diff A B           list the keys whose codes differ; exit 0\n"
    "                                         when none does, 1 when some do\n";

// What every command works with.
struct Streams {
    std::ostream& out;
    std::ostream& err;
    TableFiles& tables;
};

int showOrCheck(bool check, const std::string& path, Streams& streams) {
    int version = 0;
    std::size_t size = 0;
    const auto table = streams.tables.load(path, &version, &size);
    if (!table) return kExitDamaged;
    if (check) {
        streams.out << path << ": version " << version << " table of " << table->rowCount() << " rows and "
                    << table->columnCount() << " columns, " << size << " bytes\n";
        return kExitOk;
    }
    writeTableJson(*table, version, streams.tables.codec(), streams.out);
    streams.out.flush();
    return streams.out ? kExitOk : kExitDamaged;
}

int show(std::span<const std::string> operands, Streams& streams) {
    return showOrCheck(false, operands[0], streams);
}

int check(std::span<const std::string> operands, Streams& streams) {
    return showOrCheck(true, operands[0], streams);
}

int exportCsv(std::span<const std::string> operands, Streams& streams) {
    const auto table = streams.tables.load(operands[0]);
    if (!table) return kExitDamaged;
    if (!exportKeyTableCsv(*table, streams.out)) {
        streams.err << "veltrano-table: " << operands[0] << " holds text that cannot be written as UTF-8\n";
        return kExitDamaged;
    }
    return kExitOk;
}

int importCsv(std::span<const std::string> operands, Streams& streams) {
    return importCsvFile(operands[0], operands[1], streams.out, streams.err, streams.tables);
}

// A table text as diff prints it: control characters in a cell must not
// reach the terminal as they are.
std::string printable(std::string_view gbk) {
    const auto converted = gbkToUtf8(gbk);
    return converted ? printableText(*converted) : std::string("?");
}

int diff(std::span<const std::string> operands, Streams& streams) {
    const auto a = streams.tables.load(operands[0]);
    const auto b = streams.tables.load(operands[1]);
    if (!a || !b) return kExitUsage;
    const std::vector<CodeDifference> differences = differingCodes(*a, *b);
    for (const CodeDifference& difference : differences) {
        streams.out << "row " << difference.row << " " << printable(difference.device) << " "
                    << printable(difference.key) << ": " << printable(difference.first) << " | "
                    << printable(difference.second) << "\n";
    }
    streams.out.flush();
    return differences.empty() ? kExitOk : kExitDamaged;
}

// A command, the operands it takes (the last one fixed when `flag` is
// given) and its form as the usage gives it.
struct Command {
    std::string_view name;
    std::size_t operandCount;
    std::string_view flag;
    std::string_view form;
    int (*run)(std::span<const std::string> operands, Streams& streams);
};

constexpr Command kCommands[] = {
    {"show", 1, {}, "veltrano-table show FILE", show},
    {"check", 1, {}, "veltrano-table check FILE", check},
    {"export", 2, "--csv", "veltrano-table export FILE --csv", exportCsv},
    {"import", 2, {}, "veltrano-table import CSV FILE", importCsv},
    {"diff", 2, {}, "veltrano-table diff A B", diff},
};

bool fits(const Command& command, std::span<const std::string> operands) {
    return operands.size() == command.operandCount && (command.flag.empty() || operands.back() == command.flag);
}

}  // namespace

int runTableTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
                 grid::file::FileSystem& files) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kExitOk;
    }
    if (arguments.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& known) { return known.name == arguments[0]; });
    if (command == std::end(kCommands)) {
        err << "veltrano-table: unknown command \"" << arguments[0] << "\"\n" << kUsage;
        return kExitUsage;
    }
    const std::span<const std::string> operands = arguments.subspan(1);
    if (!fits(*command, operands)) {
        // A missing flag is named: the user knows the file but not the format.
        const bool flagMissing =
            !command->flag.empty() && std::find(operands.begin(), operands.end(), command->flag) == operands.end();
        err << "veltrano-table: " << command->name
            << (flagMissing ? " needs " + std::string(command->flag) : std::string(": wrong arguments")) << ": "
            << command->form << "\n";
        return kExitUsage;
    }
    TableFiles tables(files, err);
    Streams streams{out, err, tables};
    return command->run(operands, streams);
}

}  // namespace veltrano::tools
