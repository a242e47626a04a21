#pragma once

#include <string>
#include <vector>

#include "grid/model/grid_model.h"
#include "tools/veltrano_table/import_problem.h"

namespace veltrano::tools {

// Compares the keys an imported sheet names with the table's keys, and
// words the mismatches: one problem per record, or a single one when the
// sheet is shifted by a row, which is what a row inserted into or deleted
// from a spreadsheet leaves and would otherwise show as dozens of lines.
class KeyCheck {
public:
    explicit KeyCheck(const grid::GridModel& table) : table_(table) {}

    // Whether key (UTF-8, trimmed) is the table's key of row; an empty key
    // names nothing and matches.
    bool matches(int line, int row, const std::string& key);

    std::vector<ImportProblem> problems() const;

private:
    struct NamedKey {
        int line = 0;
        int row = 0;
        std::string key;
        bool matches = false;
    };

    // The table's key of row in UTF-8; empty outside the table.
    std::string tableKey(int row) const;
    // How many rows every key from the first mismatch on stands from its
    // own: -1 or 1, or 0 when the mismatches are not one such shift.
    int shift() const;

    const grid::GridModel& table_;
    std::vector<NamedKey> keys_;
};

}  // namespace veltrano::tools
