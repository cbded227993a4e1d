// Recurrence rules (RRULE): the parts FREQ (YEARLY, MONTHLY, WEEKLY,
// DAILY), INTERVAL, COUNT, UNTIL, BYMONTH, BYMONTHDAY, BYYEARDAY, BYDAY with
// ordinals, BYSETPOS and WKST. The parts that only pick times of day
// (BYHOUR, BYMINUTE, BYSECOND) change no day and are left out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "markeddays/ics_values.h"

namespace kiv {

enum class Frequency { Yearly, Monthly, Weekly, Daily };

struct WeekdayNumber {
    int ordinal = 0;  // 0: every such weekday; 4: the fourth; -1: the last
    Weekday weekday = kMonday;
};

struct RecurrenceRule {
    Frequency frequency = Frequency::Yearly;
    int interval = 1;
    std::optional<long> count;
    std::optional<IcsTime> until;
    std::vector<int> byMonth;     // 1..12, sorted
    std::vector<int> byMonthDay;  // 1..31 or -31..-1
    std::vector<int> byYearDay;   // 1..366 or -366..-1
    std::vector<int> bySetPos;    // 1..366 or -366..-1
    std::vector<WeekdayNumber> byDay;
    Weekday weekStart = kMonday;
};

// Parses an RRULE value; nullopt with `error` set to what is wrong.
std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view value, std::wstring& error);

// The start days of a rule's instances, DTSTART's own day first, in order:
// those from `from` to `to` (inclusive) are appended to `out`. `until` is
// the last moment allowed, as (day, seconds) in the frame of the start;
// instances share the start's time of day. A rule without COUNT starts at
// the first period that can reach `from`; one with COUNT walks from the
// start. Each period walked costs one unit of `budget`; at 0 the walk stops
// and returns false.
struct RuleWindow {
    DayNumber from = 0;
    DayNumber to = 0;
};
bool ExpandRule(const RecurrenceRule& rule, DayNumber start, int startSeconds,
                std::optional<std::pair<DayNumber, int>> until, RuleWindow window, long& budget,
                std::vector<DayNumber>& out);

}  // namespace kiv
