#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "grid/model/grid_model.h"
#include "tools/veltrano_table/import_problem.h"

namespace veltrano::tools {

// The configuration table's keys, rows 1..78: the device (the group name in
// the first column), the key name and the code (the third column). Texts in
// the grid are code page 936; everything this unit reads or writes outside
// the grid is UTF-8.
inline constexpr int kDeviceColumn = 0;
inline constexpr int kKeyColumn = 1;
inline constexpr int kCodeColumn = 2;

// The text of a cell; empty for an address outside the table.
std::string cellText(const grid::GridModel& table, int row, int column);

// Writes "row,device,key,code" and one record per key, as UTF-8 with a byte
// order mark and CR LF line ends so that spreadsheets take it as it is.
// False when a grid text has no UTF-8 form or the stream fails.
bool exportKeyTableCsv(const grid::GridModel& table, std::ostream& out);

// Takes the codes of the CSV's records into the table's third column. The
// header record is optional; device and key may be left empty, but when
// given the key must be the table's key of that row (a shifted sheet would
// otherwise put codes on the wrong keys). Every code must pass the program's
// own check before it writes the table. A CSV without a single record is a
// problem too. With any problem the table is left as it was and every
// problem is returned; otherwise codesTaken (when given) counts the records
// that gave a code rather than an empty one.
std::vector<ImportProblem> importKeyTableCsv(std::string_view csv, grid::GridModel& table, int* codesTaken = nullptr);

// How many key rows hold no code (spaces aside).
int emptyCodeRows(const grid::GridModel& table);

// A key whose codes differ between two tables. Codes are compared without
// spaces and regardless of letter case, so a read-back ("FA 01 ED ") equals
// what was written ("fa01ed"). Texts are code page 936.
struct CodeDifference {
    int row = 0;
    std::string device;
    std::string key;
    std::string first;
    std::string second;
};

std::vector<CodeDifference> differingCodes(const grid::GridModel& first, const grid::GridModel& second);

// The group name of the row's device: the text of the merged first-column
// cell that covers the row.
std::string deviceOfRow(const grid::GridModel& table, int row);

}  // namespace veltrano::tools
