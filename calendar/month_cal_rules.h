// The date rules of the month-calendar wrapper that do not need the control:
// bounds, moving the selection into a new range, reading a selection
// notification and the locale's first day of the week.
#pragma once

#include <optional>
#include <string_view>

#include "calendar/date_time.h"

namespace kiv {

// The time of day of a value, 0 <= t < 1, whichever side of day 0 it lies.
TDateTime TimeOf(TDateTime value) noexcept;
// The whole day of `day` with the time of day of `timeSource`.
TDateTime WithTimeOf(TDateTime day, TDateTime timeSource) noexcept;
// 0 = Sunday ... 6 = Saturday, as SYSTEMTIME counts them.
int DayOfWeekFromSunday(TDateTime value) noexcept;

// The last day of the month `months` months after the month of `day`; never
// past 31 December 9999.
TDateTime EndOfMonthAfter(TDateTime day, int months) noexcept;

// A bound of 0 means "no bound"; whole days are compared.
enum class BoundCheck { kInside, kBeforeMinimum, kAfterMaximum };
BoundCheck CheckBounds(TDateTime value, TDateTime minDate, TDateTime maxDate) noexcept;

struct CalendarSelection {
    TDateTime date = 0;     // may carry a time of day
    TDateTime endDate = 0;  // whole day; 0 = no range
    friend bool operator==(const CalendarSelection&, const CalendarSelection&) = default;
};

// The selection moved inside a new [minDate, maxDate]: a day before the
// minimum becomes the minimum, a day after the maximum the maximum. The
// date keeps its time of day; an end date of 0 stays 0 (no range held).
CalendarSelection ClampSelection(CalendarSelection current, TDateTime minDate, TDateTime maxDate) noexcept;

// The selection after the control reported one: a start that is not empty
// becomes the date; with multiple selection an end that is not empty becomes
// the end date. Days that do not exist are ignored.
CalendarSelection SelectionFromNotification(CalendarSelection current, bool multiSelect,
                                            std::optional<CivilDate> start, std::optional<CivilDate> end);

// FirstDayOfWeek takes 0 (Monday) .. 6 (Sunday), or 7 for the locale's choice.
constexpr int kLocaleFirstDayOfWeek = 7;
bool IsValidFirstDayOfWeek(int day) noexcept;
// The locale's LOCALE_IFIRSTDAYOFWEEK text ("0" = Monday .. "6" = Sunday);
// Monday for anything else.
int FirstDayFromLocaleDigit(std::wstring_view text) noexcept;

}  // namespace kiv
