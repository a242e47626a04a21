#include "tools/veltrano_table/csv_import.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "tools/veltrano_table/csv_encoding.h"
#include "tools/veltrano_table/exit_codes.h"
#include "tools/veltrano_table/key_table_exchange.h"
#include "tools/veltrano_table/message_text.h"

namespace veltrano::tools {
namespace {

// A sheet with something wrong throughout would fill the screen; the first
// lines show what is wrong and the rest is counted.
constexpr std::size_t kShownProblems = 10;

void reportProblems(const std::string& csvPath, const std::vector<ImportProblem>& problems, std::ostream& err) {
    const std::size_t shown = std::min(problems.size(), kShownProblems);
    for (std::size_t index = 0; index < shown; ++index) {
        const ImportProblem& problem = problems[index];
        err << csvPath;
        if (problem.line > 0) err << ": line " << problem.line;
        if (problem.row > 0) err << ", row " << problem.row;
        err << ": " << problem.reason << "\n";
    }
    if (problems.size() > shown) {
        err << csvPath << ": ... and " << problems.size() - shown << " more\n";
    }
}

}  // namespace

std::optional<std::string> readCsvText(const std::string& csvPath, std::ostream& err, TableFiles& tables,
                                       int& exitCode) {
    exitCode = kExitDamaged;
    const auto csv = tables.read(csvPath);
    if (!csv) {
        return std::nullopt;
    }
    // Names given the other way round: saying so helps more than naming the
    // byte where the table file stops being text.
    if (startsAsTableFile(*csv)) {
        err << tables.programName() << ": " << csvPath
            << " is a table file, not a CSV: import CSV FILE takes the CSV first\n";
        exitCode = kExitUsage;
        return std::nullopt;
    }
    std::string notText;
    std::optional<std::string> text = decodeCsvBytes(*csv, notText);
    if (!text) {
        err << tables.programName() << ": " << csvPath << " " << notText << "\n";
        return std::nullopt;
    }
    exitCode = kExitOk;
    return text;
}

bool takeCsvCodes(std::string_view csvText, const std::string& csvPath, grid::GridModel& table, std::ostream& err,
                  int& codesTaken) {
    const std::vector<ImportProblem> problems = importKeyTableCsv(csvText, table, &codesTaken);
    if (!problems.empty()) {
        reportProblems(csvPath, problems, err);
        return false;
    }
    return true;
}

int importCsvFile(const std::string& csvPath, const std::string& path, std::ostream& out, std::ostream& err,
                  TableFiles& tables) {
    int exitCode = kExitOk;
    const std::optional<std::string> text = readCsvText(csvPath, err, tables, exitCode);
    if (!text) {
        return exitCode;
    }
    bool existed = false;
    auto table = tables.loadOrStartEmpty(path, existed);
    if (!table) {
        return kExitDamaged;
    }
    int codesTaken = 0;
    if (!takeCsvCodes(*text, csvPath, *table, err, codesTaken)) {
        err << "veltrano-table: nothing was written to " << path << "\n";
        return kExitDamaged;
    }
    if (!tables.save(*table, path, existed)) {
        return kExitDamaged;
    }
    const auto taken = static_cast<std::size_t>(codesTaken);
    const auto empty = static_cast<std::size_t>(emptyCodeRows(*table));
    out << path << ": " << counted(taken, "code", "codes") << " taken from " << csvPath << ", "
        << counted(empty, "row", "rows") << " left empty\n";
    return kExitOk;
}

}  // namespace veltrano::tools
