#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/module_sim/frame_assembler.h"

namespace veltrano::modulesim {

// Upper-case digit pairs without spaces ("FA0102ED").
std::string compactHex(std::span<const std::uint8_t> bytes);
// Digit pairs (either case, spaces allowed between pairs); nothing if not.
std::optional<Bytes> parseHex(std::string_view text);

// The store file: one line per stored row, "<row> <hex>", rows ascending.
// Blank lines and lines starting with '#' are skipped when loading.
std::string formatStore(const std::map<int, Bytes>& store);
// Nothing when a line is malformed or a row is outside 1..78.
std::optional<std::map<int, Bytes>> parseStore(std::string_view text);

// Writes `content` to `path` through a temporary file and a rename, so a
// reader sees either the old or the new file, never half of one.
bool replaceFile(const std::string& path, std::string_view content);
std::optional<std::string> readFile(const std::string& path);

}  // namespace veltrano::modulesim
