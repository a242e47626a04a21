#include "tools/veltrano_module/key_table_files.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "app/hex/message_sink.h"
#include "app/protocol/key_table.h"
#include "app/protocol/write_sequence_plan.h"
#include "tools/veltrano_table/code_rule.h"
#include "tools/veltrano_table/csv_import.h"
#include "tools/veltrano_table/empty_table.h"
#include "tools/veltrano_table/exit_codes.h"
#include "tools/veltrano_table/file_reason.h"
#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/key_table_exchange.h"

namespace veltrano::module {
namespace {

constexpr const char* kProgram = "veltrano-module";

// The codec's own message box text is code page 936 for the program's
// window; the tool words the reason itself.
class SilentSink final : public hex::MessageSink {
public:
    void showMessage(const std::string&, const std::string&) override {}
};

std::string utf8Of(const std::string& gbk) {
    return tools::gbkToUtf8(gbk).value_or("?");
}

}  // namespace

KeyTableFiles::KeyTableFiles(grid::file::FileSystem& files, std::ostream& err)
    : files_(files), err_(err), tables_(files, err, kProgram) {}

std::optional<grid::GridModel> KeyTableFiles::loadForWrite(const std::string& path, int& exitCode) {
    exitCode = tools::kExitUsage;
    if (!namesCsv(path)) {
        auto table = tables_.load(path);
        if (table) exitCode = tools::kExitOk;
        return table;
    }
    int readCode = tools::kExitOk;
    const auto text = tools::readCsvText(path, err_, tables_, readCode);
    if (!text) return std::nullopt;
    auto table = tables_.fromBytes(tools::emptyProgramTable(), "the empty table");
    int taken = 0;
    if (!table || !tools::takeCsvCodes(*text, path, *table, err_, taken)) return std::nullopt;
    exitCode = tools::kExitOk;
    return table;
}

grid::GridModel KeyTableFiles::tableWithCodes(const std::map<int, std::string>& codes) {
    auto table = tables_.fromBytes(tools::emptyProgramTable(), "the empty table");
    for (const auto& [row, text] : codes) {
        table->setText(row, tools::kCodeColumn, text, false);
    }
    return std::move(*table);
}

bool KeyTableFiles::save(const grid::GridModel& table, const std::string& path) {
    if (!namesCsv(path)) return tables_.save(table, path, false);
    std::ostringstream csv;
    tools::exportKeyTableCsv(table, csv);
    const std::string bytes = csv.str();
    std::string temporary;
    auto writer = files_.createTemporaryBeside(path, temporary);
    const auto fail = [&](std::error_code reason) {
        err_ << kProgram << ": cannot write " << path << tools::reasonText(reason, tools::FileUse::Writing) << "\n";
        return false;
    };
    if (!writer) return fail(files_.lastError());
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (!writer->write(data) || !writer->finish()) {
        const std::error_code reason = writer->error();
        writer.reset();
        files_.removeFile(temporary);
        return fail(reason);
    }
    writer.reset();
    if (!files_.replaceFile(temporary, path)) {
        files_.removeFile(temporary);
        return fail(files_.lastError());
    }
    return true;
}

std::vector<std::string> codeTexts(const grid::GridModel& table) {
    std::vector<std::string> texts;
    for (int row = protocol::kFirstKeyRow; row <= protocol::kLastKeyRow; ++row) {
        texts.push_back(tools::cellText(table, row, tools::kCodeColumn));
    }
    return texts;
}

std::optional<BadCode> firstBadCode(const grid::GridModel& table) {
    SilentSink sink;
    const std::vector<std::string> texts = codeTexts(table);
    const auto row = protocol::firstInvalidRow(texts, sink);
    if (!row) return std::nullopt;
    const std::string& code = texts[static_cast<std::size_t>(*row - protocol::kFirstKeyRow)];
    return BadCode{*row, utf8Of(tools::deviceOfRow(table, *row)),
                   utf8Of(tools::cellText(table, *row, tools::kKeyColumn)),
                   tools::codeProblem(code).value_or("the code does not decode")};
}

bool namesCsv(const std::string& path) {
    constexpr std::string_view kCsv = ".csv";
    if (path.size() < kCsv.size()) return false;
    return std::equal(kCsv.begin(), kCsv.end(), path.end() - static_cast<std::ptrdiff_t>(kCsv.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace veltrano::module
