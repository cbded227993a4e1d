// The details of a selected date or range: ISO 8601 week numbers, the day
// of the year, working days, and the tooltip texts made of them. The dates
// themselves come in already formatted in the user's style (the Win32
// layer formats them); the rest of the wording is fixed English.
#pragma once

#include <string>
#include <string_view>

#include "markeddays/day_number.h"
#include "markeddays/marked_days.h"

namespace kiv {

// The week as ISO 8601 counts it: weeks start on Monday, and week 1 is the
// one holding the year's first Thursday, so 1 January may lie in week 52
// or 53 of the year before, and 31 December in week 1 of the next.
struct IsoWeek {
    int year = 0;  // the week's own year
    int week = 0;  // 1..53
    friend bool operator==(const IsoWeek&, const IsoWeek&) = default;
};
IsoWeek IsoWeekOf(TDateTime day) noexcept;

int DayOfYear(TDateTime day) noexcept;  // 1..366
int DaysInYear(int year) noexcept;      // 365 or 366

// Monday to Friday from `first` to `last` (both included, either order),
// less the marked days among them.
int WorkingDays(TDateTime first, TDateTime last, const MarkedDays& marked);

// "Week 50, day 342 of 365".
std::wstring WeekAndDayText(TDateTime day);
// "14 days, 10 working days" ("1 day, 1 working day").
std::wstring RangeLengthText(TDateTime first, TDateTime last, const MarkedDays& marked);
// "Week 50" within one week, "Weeks 50–52", "Weeks 52–2" across a new
// year; a range of a year or more names the years:
// "Week 50 of 2024 – week 50 of 2025".
std::wstring RangeWeeksText(TDateTime first, TDateTime last);

// The tooltip of the selected date: the long date as given, the week and
// the day of the year, then one line per event of the day. Lines are
// separated by CR LF, as a multi-line tooltip control takes them.
std::wstring DayDetailsText(std::wstring_view longDate, TDateTime day, const MarkedDays& marked);
// The tooltip of a selected range: "first – last" from the dates as given,
// its length in days and working days, and its weeks.
std::wstring RangeDetailsText(std::wstring_view firstDate, std::wstring_view lastDate, TDateTime first,
                              TDateTime last, const MarkedDays& marked);

}  // namespace kiv
