#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "grid/file/file_system.h"
#include "grid/model/grid_model.h"
#include "tools/veltrano_table/table_files.h"

namespace veltrano::module {

// A key whose code the program would refuse to send; texts are UTF-8.
struct BadCode {
    int row = 0;
    std::string device;
    std::string key;
    std::string reason;
};

// The tables the tool takes and gives: table files the program opens, and
// the CSV of the table tool. Problems are said on `err`, one line each.
class KeyTableFiles {
public:
    KeyTableFiles(grid::file::FileSystem& files, std::ostream& err);

    // A table to write: a .csv file's codes on the program's empty table,
    // or any other file as a table file. Nothing, with `exitCode` set, when
    // it cannot be had.
    std::optional<grid::GridModel> loadForWrite(const std::string& path, int& exitCode);

    // The program's empty table with the given column-2 texts.
    grid::GridModel tableWithCodes(const std::map<int, std::string>& codes);

    // Saves as a table file, or as CSV when the name ends in .csv.
    bool save(const grid::GridModel& table, const std::string& path);

private:
    grid::file::FileSystem& files_;
    std::ostream& err_;
    tools::TableFiles tables_;
};

// The column-2 texts of rows 1..78, the first being row 1.
std::vector<std::string> codeTexts(const grid::GridModel& table);

// The first key whose code the program's codec refuses.
std::optional<BadCode> firstBadCode(const grid::GridModel& table);

// Whether a file name ends in .csv, in any letter case.
bool namesCsv(const std::string& path);

}  // namespace veltrano::module
