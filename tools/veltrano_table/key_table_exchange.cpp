#include "tools/veltrano_table/key_table_exchange.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"
#include "tools/veltrano_table/code_rule.h"
#include "tools/veltrano_table/csv_text.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/key_check.h"
#include "tools/veltrano_table/message_text.h"

namespace veltrano::tools {
namespace {

constexpr std::size_t kFieldCount = 4;
constexpr std::array<std::string_view, kFieldCount> kHeader{"row", "device", "key", "code"};
// Spreadsheets in many locales write semicolons, and "Unicode text" is
// separated by tabs.
constexpr std::array<char, 3> kSeparators{',', ';', '\t'};

std::optional<int> rowNumber(std::string_view field) {
    int row = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), row);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    if (row < protocol::kFirstKeyRow || row > protocol::kLastKeyRow) return std::nullopt;
    return row;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool isHeader(const CsvRecord& record) {
    return !record.fields.empty() && trimmed(record.fields[0]) == kHeader[0];
}

bool isFullHeader(const CsvRecord& record) {
    return std::equal(record.fields.begin(), record.fields.end(), kHeader.begin(), kHeader.end(),
                      [](const std::string& field, std::string_view name) { return trimmed(field) == name; });
}

// The separator the header line shows; a comma when there is no header.
char separatorOf(std::string_view csv) {
    const std::size_t start = std::min(csv.find_first_not_of("\r\n"), csv.size());
    const std::string_view firstLine = csv.substr(start, csv.find('\n', start) - start);
    for (const char separator : kSeparators) {
        std::string ignored;
        const auto records = parseCsv(firstLine, ignored, separator);
        if (records && records->size() == 1 && isFullHeader(records->front())) {
            return separator;
        }
    }
    return kSeparators[0];
}

// A code compared by its digits alone.
std::string comparableCode(std::string_view text) {
    std::string compact = protocol::removeAllSpaces(text);
    std::transform(compact.begin(), compact.end(), compact.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return compact;
}

class ImportCheck {
public:
    explicit ImportCheck(const grid::GridModel& table) : keys_(table) {}

    // Notes the record's code, or why it cannot be taken.
    void take(const CsvRecord& record) {
        if (record.fields.size() != kFieldCount) {
            problem(record.line, 0,
                    "expected 4 fields (row, device, key, code), found " + std::to_string(record.fields.size()));
            return;
        }
        const auto row = rowNumber(trimmed(record.fields[0]));
        if (!row) {
            problem(record.line, 0, quotedText(record.fields[0]) + " is not a key row from 1 to 78");
            return;
        }
        if (const auto earlier = lineOfRow_.find(*row); earlier != lineOfRow_.end()) {
            problem(record.line, *row, "row given twice (first on line " + std::to_string(earlier->second) + ")");
            return;
        }
        lineOfRow_[*row] = record.line;
        if (!keys_.matches(record.line, *row, trimmed(record.fields[2]))) return;
        const auto code = utf8ToGbk(trimmed(record.fields[3]));
        if (!code) {
            problem(record.line, *row,
                    "the code " + quotedText(trimmed(record.fields[3])) + " has characters the program cannot hold");
            return;
        }
        if (auto reason = codeProblem(*code)) {
            problem(record.line, *row, std::move(*reason));
            return;
        }
        codes[*row] = *code;
    }

    // Every problem, in the order of the lines.
    std::vector<ImportProblem> allProblems() const {
        std::vector<ImportProblem> all = problems_;
        const std::vector<ImportProblem> keyProblems = keys_.problems();
        all.insert(all.end(), keyProblems.begin(), keyProblems.end());
        std::stable_sort(all.begin(), all.end(),
                         [](const ImportProblem& a, const ImportProblem& b) { return a.line < b.line; });
        return all;
    }

    // Row -> code in code page 936.
    std::map<int, std::string> codes;

private:
    void problem(int line, int row, std::string reason) { problems_.push_back({line, row, std::move(reason)}); }

    KeyCheck keys_;
    std::vector<ImportProblem> problems_;
    std::map<int, int> lineOfRow_;
};

}  // namespace

std::string deviceOfRow(const grid::GridModel& table, int row) {
    for (const grid::MergeRecord& merge : table.merges()) {
        if (merge.contains(row, kDeviceColumn)) {
            return cellText(table, merge.anchorRow, merge.anchorColumn);
        }
    }
    return cellText(table, row, kDeviceColumn);
}

bool exportKeyTableCsv(const grid::GridModel& table, std::ostream& out) {
    out << "\xEF\xBB\xBF"
        << "row,device,key,code\r\n";
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        const auto device = gbkToUtf8(deviceOfRow(table, row));
        const auto key = gbkToUtf8(cellText(table, row, kKeyColumn));
        const auto code = gbkToUtf8(cellText(table, row, kCodeColumn));
        if (!device || !key || !code) return false;
        out << row << ',' << csvField(*device) << ',' << csvField(*key) << ',' << csvField(*code) << "\r\n";
    }
    out.flush();
    return static_cast<bool>(out);
}

std::vector<ImportProblem> importKeyTableCsv(std::string_view csv, grid::GridModel& table, int* codesTaken) {
    if (table.rowCount() <= protocol::kLastKeyRow || table.columnCount() <= kCodeColumn) {
        return {{0, 0, "the table is not a key table of 79 rows and 3 columns"}};
    }
    std::string error;
    const auto records = parseCsv(csv, error, separatorOf(csv));
    if (!records) return {{0, 0, error}};
    const bool header = !records->empty() && isHeader(records->front());
    if (records->size() == (header ? 1u : 0u)) return {{0, 0, "no records"}};
    ImportCheck check(table);
    for (std::size_t index = header ? 1 : 0; index < records->size(); ++index) {
        check.take((*records)[index]);
    }
    if (auto problems = check.allProblems(); !problems.empty()) return problems;
    int taken = 0;
    for (const auto& [row, code] : check.codes) {
        table.setText(row, kCodeColumn, code, false);
        if (!protocol::removeAllSpaces(code).empty()) ++taken;
    }
    if (codesTaken != nullptr) *codesTaken = taken;
    return {};
}

int emptyCodeRows(const grid::GridModel& table) {
    int empty = 0;
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        if (protocol::removeAllSpaces(cellText(table, row, kCodeColumn)).empty()) ++empty;
    }
    return empty;
}

std::string cellText(const grid::GridModel& table, int row, int column) {
    const grid::Cell* cell = table.cell(row, column);
    return cell ? cell->text : std::string();
}

std::vector<CodeDifference> differingCodes(const grid::GridModel& first, const grid::GridModel& second) {
    std::vector<CodeDifference> differences;
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        const std::string a = cellText(first, row, kCodeColumn);
        const std::string b = cellText(second, row, kCodeColumn);
        if (comparableCode(a) == comparableCode(b)) continue;
        differences.push_back({row, deviceOfRow(first, row), cellText(first, row, kKeyColumn), a, b});
    }
    return differences;
}

}  // namespace veltrano::tools
