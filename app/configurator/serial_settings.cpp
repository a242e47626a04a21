#include "app/configurator/serial_settings.h"

#include <array>

#include "app/hex/gbk_spaces.h"
#include "runtime/commands/to_integer.h"

namespace veltrano::configurator {
namespace {

// Rates in the order of their codes 0, 1, 2, ...
constexpr std::array<int, 20> kRatesByCode{50,   75,   110,  134,   150,   300,   600,    1200,   1800,   2400,
                                           4800, 7200, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

constexpr std::string_view kPortPrefix = "COM";

}  // namespace

int baudCode(int rate) {
    for (std::size_t code = 0; code < kRatesByCode.size(); ++code) {
        if (kRatesByCode[code] == rate) {
            return static_cast<int>(code);
        }
    }
    return 0;
}

std::vector<int> portNumbersOf(std::span<const std::string> names) {
    std::vector<int> numbers;
    for (const std::string& name : names) {
        std::string upper = name;
        hex::toUpperAscii(upper);
        if (upper.starts_with(kPortPrefix)) {
            numbers.push_back(integerOf(std::string_view(upper).substr(kPortPrefix.size())));
        }
    }
    return numbers;
}

std::string portText(int number) {
    return std::string(kPortPrefix) + std::to_string(number);
}

int integerOf(std::string_view text) {
    return commands::textToInteger(text);
}

}  // namespace veltrano::configurator
