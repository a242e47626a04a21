#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "grid/model/grid_model.h"
#include "tools/veltrano_table/table_files.h"

namespace veltrano::tools {

// veltrano-table import CSV FILE: takes the codes of the CSV file into the
// table at FILE (the program's empty table when there is none), or writes
// nothing and says why on `err`. Returns the tool's exit code.
int importCsvFile(const std::string& csvPath, const std::string& path, std::ostream& out, std::ostream& err,
                  TableFiles& tables);

// The text of the CSV file at csvPath as UTF-8, or nothing with the reason
// said on `err` and `exitCode` set to the exit code to end with.
std::optional<std::string> readCsvText(const std::string& csvPath, std::ostream& err, TableFiles& tables,
                                       int& exitCode);

// Takes the codes of a CSV text into `table`, checked as importKeyTableCsv
// checks them. With any problem the table is left as it was, the first
// problems (and how many more) are said on `err` and the result is false.
bool takeCsvCodes(std::string_view csvText, const std::string& csvPath, grid::GridModel& table, std::ostream& err,
                  int& codesTaken);

}  // namespace veltrano::tools
