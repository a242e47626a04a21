#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrano::grid {

// The number at the start of a text after leading white space, as the C
// library's atof reads it: a text that does not start with a number is 0.
double leadingNumber(std::string_view text);

std::string_view withoutLeadingSpace(std::string_view text);

// "%.<decimals>f" without depending on the C library's printf, so both
// builds produce the same digits.
std::string formatFixed(double value, std::int32_t decimals);
// "%.<precision>g".
std::string formatGeneral(double value, std::int32_t precision);

}  // namespace veltrano::grid
