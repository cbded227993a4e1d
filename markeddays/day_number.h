// Whole days as the marked-day code counts them: the integer part of a
// TDateTime (day 0 is 30 December 1899), with quick conversions to and from
// the civil date and the day of the week.
#pragma once

#include "calendar/date_time.h"

namespace kiv {

using DayNumber = int;

// Day of the week, Monday 0 to Sunday 6 (the order ISO 8601 counts in).
enum Weekday : int { kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday, kSunday };

constexpr DayNumber DayFromCivil(int year, int month, int day) noexcept {
    // Days from 1970-01-01 (H. Hinnant's algorithm), then moved to 1899-12-30.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;
}

constexpr CivilDate CivilFromDay(DayNumber value) noexcept {
    const int z = value - 25569 + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int day = doy - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr Weekday WeekdayOf(DayNumber value) noexcept {
    return static_cast<Weekday>(((value % 7) + 7 + 5) % 7);  // day 0 was a Saturday
}

// The day a date value falls on (the time of day dropped).
DayNumber DayOf(TDateTime value) noexcept;

}  // namespace kiv
