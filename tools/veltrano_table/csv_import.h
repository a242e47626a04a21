#pragma once

#include <ostream>
#include <string>

#include "tools/veltrano_table/table_files.h"

namespace veltrano::tools {

// veltrano-table import CSV FILE: takes the codes of the CSV file into the
// table at FILE (the program's empty table when there is none), or writes
// nothing and says why on `err`. Returns the tool's exit code.
int importCsvFile(const std::string& csvPath, const std::string& path, std::ostream& out, std::ostream& err,
                  TableFiles& tables);

}  // namespace veltrano::tools
