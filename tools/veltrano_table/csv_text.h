#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::tools {

// One record of comma-separated text, with the line it starts on (1-based).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits separated text (commas unless told otherwise) into records: fields
// may be quoted, with a doubled quote for a quote and line breaks inside;
// CR LF and LF both end a record; a leading UTF-8 byte order mark is
// skipped; empty lines are dropped. Nothing, with `error` set, when a quoted
// field is never closed or a quote follows the closing one without a
// separator.
std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text, std::string& error, char separator = ',');

// A field as it must be written: quoted when it holds a comma, a quote or a
// line break.
std::string csvField(std::string_view value);

}  // namespace veltrano::tools
