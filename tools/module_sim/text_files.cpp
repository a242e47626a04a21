#include "tools/module_sim/text_files.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/protocol/frames.h"
#include "app/protocol/key_table.h"

namespace veltrano::modulesim {

std::string compactHex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::optional<Bytes> parseHex(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (c != ' ') {
            digits.push_back(c);
        }
    }
    return protocol::frameBytes(digits);
}

std::string formatStore(const std::map<int, Bytes>& store) {
    std::string text;
    for (const auto& [row, data] : store) {
        text += std::to_string(row) + " " + compactHex(data) + "\n";
    }
    return text;
}

std::optional<std::map<int, Bytes>> parseStore(std::string_view text) {
    std::map<int, Bytes> store;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto space = line.find(' ');
        if (space == std::string::npos || space == 0 || space > 2) {
            return std::nullopt;
        }
        int row = 0;
        for (std::size_t i = 0; i < space; ++i) {
            if (line[i] < '0' || line[i] > '9') {
                return std::nullopt;
            }
            row = row * 10 + (line[i] - '0');
        }
        const auto data = parseHex(std::string_view(line).substr(space + 1));
        if (row < protocol::kFirstKeyRow || row > protocol::kLastKeyRow || !data || data->empty()) {
            return std::nullopt;
        }
        store[row] = *data;
    }
    return store;
}

bool replaceFile(const std::string& path, std::string_view content) {
    const std::string temporary = path + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out.flush()) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace veltrano::modulesim
