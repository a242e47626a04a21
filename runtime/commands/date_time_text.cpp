#include "runtime/commands/date_time_text.h"

#include <cmath>
#include <string_view>

#include "runtime/commands/system_texts.h"

namespace veltrano::commands {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Day numbers of 1 January 100 and 31 December 9999 counted from 30 December 1899.
constexpr std::int64_t kFirstDay = -657434;
constexpr std::int64_t kLastDay = 2958465;
// 30 December 1899 counted from 1 March of year 0, the base of civilFromDays.
constexpr std::int64_t kEpochFromMarchZero = 693899;

// Proleptic Gregorian date of a day count from 1 March of year 0, by 400-year
// eras; every day count in the clamped range is non-negative here.
CivilDateTime civilFromDays(std::int64_t daysFromMarchZero) noexcept {
    const std::int64_t era = daysFromMarchZero / 146097;
    const std::int64_t dayOfEra = daysFromMarchZero - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    CivilDateTime result;
    result.year = static_cast<std::int32_t>(year);
    result.month = static_cast<std::int32_t>(month);
    result.day = static_cast<std::int32_t>(day);
    return result;
}

void appendNumber(std::string& text, std::int32_t number, std::string_view unit) {
    text += std::to_string(number);
    text += unit;
}

}  // namespace

CivilDateTime civilDateTime(double value) noexcept {
    if (std::isnan(value)) value = 0.0;
    const double wholeDays = std::trunc(value);
    std::int64_t day = 0;
    std::int64_t seconds = 0;
    if (wholeDays < static_cast<double>(kFirstDay)) {
        day = kFirstDay;
    } else if (wholeDays > static_cast<double>(kLastDay)) {
        day = kLastDay;
        seconds = kSecondsPerDay - 1;
    } else {
        day = static_cast<std::int64_t>(wholeDays);
        seconds = static_cast<std::int64_t>(std::round(std::fabs(value - wholeDays) * kSecondsPerDay));
        if (seconds >= kSecondsPerDay) {
            if (day < kLastDay) {
                ++day;
                seconds = 0;
            } else {
                seconds = kSecondsPerDay - 1;
            }
        }
    }
    CivilDateTime result = civilFromDays(day + kEpochFromMarchZero);
    result.hour = static_cast<std::int32_t>(seconds / 3600);
    result.minute = static_cast<std::int32_t>(seconds / 60 % 60);
    result.second = static_cast<std::int32_t>(seconds % 60);
    return result;
}

std::string dateTimeText(double value) {
    const CivilDateTime moment = civilDateTime(value);
    std::string text;
    appendNumber(text, moment.year, system_text::kYear);
    appendNumber(text, moment.month, system_text::kMonth);
    appendNumber(text, moment.day, system_text::kDay);
    if (moment.second != 0) {
        appendNumber(text, moment.hour, system_text::kHour);
        appendNumber(text, moment.minute, system_text::kMinute);
        appendNumber(text, moment.second, system_text::kSecond);
    } else if (moment.minute != 0) {
        appendNumber(text, moment.hour, system_text::kHour);
        appendNumber(text, moment.minute, system_text::kMinute);
    } else if (moment.hour != 0) {
        appendNumber(text, moment.hour, system_text::kHour);
    }
    return text;
}

}  // namespace veltrano::commands
