#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace veltrano::grid::testing {

// Builds table files by hand, for versions and damage the writer never
// produces.
class FileBytes {
public:
    FileBytes& int32(std::int32_t value);
    FileBytes& ints(std::size_t count, std::int32_t value);
    // Padded with NUL bytes, or cut, to size.
    FileBytes& text(std::string_view text, std::size_t size);
    FileBytes& raw(std::string_view bytes);

    std::vector<std::uint8_t> bytes;
};

// Counts in file order: column types, merges, cells, fonts, the seven
// attribute lists, formula rules, total rules.
using RecordCounts = std::array<std::int32_t, 13>;

// Header and settings block of an older version as its writer laid it out,
// with `fixed` fixed rows and as many fixed columns.
FileBytes oldVersionHeader(std::int32_t version, std::int32_t rows, std::int32_t columns, std::int32_t fixed,
                           const RecordCounts& counts);

std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
void putInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);

}  // namespace veltrano::grid::testing
