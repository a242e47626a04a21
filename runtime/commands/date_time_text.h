#pragma once

#include <cstdint>
#include <string>

namespace veltrano::commands {

struct CivilDateTime {
    std::int32_t year = 0;
    std::int32_t month = 0;   // 1..12
    std::int32_t day = 0;     // 1..31
    std::int32_t hour = 0;    // 0..23
    std::int32_t minute = 0;  // 0..59
    std::int32_t second = 0;  // 0..59

    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// A date-time value counts days from 30 December 1899 (proleptic Gregorian
// calendar); its fraction is the time of day. For negative values the whole
// days count backwards while the fraction's magnitude is still the time of
// day, so -1.25 is 29 December 1899, 6:00. The time is rounded to the nearest
// second (a round-up to midnight moves to the next day). Moments before
// 1 January 100 become 1 January 100 0:00:00, moments after 31 December 9999
// become 31 December 9999 23:59:59; a value that is not a number counts as 0.
CivilDateTime civilDateTime(double value) noexcept;

// "Y年M月D日" followed by "H时M分S秒" when the seconds are not zero, else
// "H时M分" when the minutes are not zero, else "H时" when the hour is not
// zero, else nothing; code page 936 bytes.
std::string dateTimeText(double value);

}  // namespace veltrano::commands
