#include "tools/veltrano_table/key_check.h"

#include <algorithm>

#include "tools/veltrano_table/gbk_text.h"
#include "tools/veltrano_table/message_text.h"

namespace veltrano::tools {
namespace {

constexpr int kKeyColumn = 1;
// One mismatch next to a neighbour's key can be chance; two make a pattern.
constexpr std::ptrdiff_t kShiftEvidence = 2;

}  // namespace

bool KeyCheck::matches(int line, int row, const std::string& key) {
    if (key.empty()) {
        return true;
    }
    const bool same = key == tableKey(row);
    keys_.push_back({line, row, key, same});
    return same;
}

std::string KeyCheck::tableKey(int row) const {
    const grid::Cell* cell = table_.cell(row, kKeyColumn);
    if (cell == nullptr) {
        return {};
    }
    const auto utf8 = gbkToUtf8(cell->text);
    return utf8 ? *utf8 : std::string("?");
}

int KeyCheck::shift() const {
    const auto first = std::find_if(keys_.begin(), keys_.end(), [](const NamedKey& named) { return !named.matches; });
    const auto mismatches = std::count_if(first, keys_.end(), [](const NamedKey& named) { return !named.matches; });
    if (mismatches < kShiftEvidence) {
        return 0;
    }
    for (const int offset : {-1, 1}) {
        const bool all = std::all_of(first, keys_.end(),
                                     [&](const NamedKey& named) { return named.key == tableKey(named.row + offset); });
        if (all) {
            return offset;
        }
    }
    return 0;
}

std::vector<ImportProblem> KeyCheck::problems() const {
    std::vector<ImportProblem> problems;
    if (const int offset = shift(); offset != 0) {
        const auto first =
            std::find_if(keys_.begin(), keys_.end(), [](const NamedKey& named) { return !named.matches; });
        const std::string where = offset < 0 ? "below" : "above";
        const std::string hint = ": was a row inserted or deleted above?";
        // A sheet that is right up to some row is told where it goes wrong.
        if (first == keys_.begin()) {
            problems.push_back({0, 0, "every key stands one row " + where + " its row" + hint});
        } else {
            problems.push_back(
                {first->line, first->row, "from here on every key stands one row " + where + " its row" + hint});
        }
        return problems;
    }
    for (const NamedKey& named : keys_) {
        if (!named.matches) {
            problems.push_back({named.line, named.row,
                                "the key is " + quotedText(named.key) + " but row " + std::to_string(named.row) +
                                    " holds " + quotedText(tableKey(named.row))});
        }
    }
    return problems;
}

}  // namespace veltrano::tools
