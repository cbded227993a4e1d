// The index of marked days over a range of years, built once when the files
// change and asked by the calendar for each month it paints: a month's
// day-state mask, whether a day is marked, and the names of a day's events.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "markeddays/day_number.h"
#include "markeddays/ics_reader.h"

namespace kiv {

class MarkedDays {
public:
    MarkedDays() = default;  // no years, nothing marked
    // Years outside 1..9999 are brought within.
    MarkedDays(int firstYear, int lastYear);

    int FirstYear() const noexcept { return firstYear_; }
    int LastYear() const noexcept { return lastYear_; }

    // Adds the events of one file; their days outside the years are left out.
    void Add(const std::vector<MarkedEvent>& events);

    // Bit d-1 set when day d of the month is marked, as the month-calendar
    // control's day-state request wants it; 0 for a month outside the years.
    std::uint32_t MonthState(int year, int month) const noexcept;
    // The masks of `states.size()` months from (year, month) on, in order: the
    // answer to a day-state request, which may start before January and run
    // past December.
    void MonthStates(int year, int month, std::span<std::uint32_t> states) const noexcept;

    bool IsMarked(TDateTime day) const noexcept;
    // The names of the day's events, in the order of the files and of the
    // events in them; a name given twice for the day comes once.
    std::vector<std::wstring> EventsOn(TDateTime day) const;

private:
    int firstYear_ = 0, lastYear_ = -1;
    std::vector<std::uint32_t> months_;  // 12 per year from firstYear_
    std::vector<std::wstring> names_;
    std::vector<std::pair<DayNumber, std::uint32_t>> dayNames_;  // (day, index into names_), sorted by day
};

}  // namespace kiv
