// The date values of an iCalendar file: DATE, DATE-TIME (floating, UTC or
// in a named zone) and DURATION.
#pragma once

#include <optional>
#include <string_view>

#include "markeddays/day_number.h"

namespace kiv {

enum class IcsTimeKind {
    Date,      // a whole day (VALUE=DATE)
    Floating,  // a wall-clock time with no zone: the user's own
    Utc,       // ends in Z
    Zoned,     // TZID=...: the wall-clock time is taken as given
};

struct IcsTime {
    DayNumber day = 0;
    int seconds = 0;  // into the day; 0 for a date
    IcsTimeKind kind = IcsTimeKind::Date;
};

// "YYYYMMDD" or "YYYYMMDDTHHMMSS" with an optional "Z"; `zoned` marks a
// value that had a TZID parameter. nullopt for anything else, or a date
// outside years 1 to 9999.
std::optional<IcsTime> ParseIcsTime(std::string_view text, bool zoned);

// The whole days of a DURATION ("P2D", "P1W", "P1DT12H" is 1): nullopt
// when it is not a duration or is negative.
std::optional<int> ParseIcsDurationDays(std::string_view text);

// The value as the library keeps date-times, and back to its day.
TDateTime ToDateTime(DayNumber day, int seconds) noexcept;

}  // namespace kiv
