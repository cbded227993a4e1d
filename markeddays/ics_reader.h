// Reads the events of an iCalendar file (RFC 5545) as the days they mark
// within a range of years.
//
// What counts: each VEVENT with a DTSTART, on its start day, on every day
// up to (not including) its DTEND or for its DURATION when it is an all-day
// event, and on the days its RRULE and RDATE add, less its EXDATE days. A
// timed event marks the local day it starts on. STATUS:CANCELLED marks
// nothing. Other components (VTODO, VJOURNAL, VALARM, VTIMEZONE ...) and
// unknown or X- properties are skipped.
//
// Bad input never loses the good: a malformed line, a bad value or a broken
// event is skipped, the rest still counts, and the first problem is kept
// with its line. Memory stays bounded whatever the input:
//   - a content line longer than kMaxIcsLineBytes (64 KiB) is skipped;
//   - after kMaxIcsEvents events the rest of the file is left out;
//   - one event keeps at most kMaxIcsDatesPerEvent RDATE and EXDATE values;
//   - after kMaxIcsMarks marked days (over all events) the rest is left out;
//   - recurrences are expanded only over the years asked for, and at most
//     kIcsExpansionBudget periods (years, months, weeks or days) are walked
//     in one file, so a rule counted from a distant start cannot stall it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "markeddays/byte_source.h"
#include "markeddays/day_number.h"

namespace kiv {

inline constexpr std::size_t kMaxIcsEvents = 100'000;
inline constexpr std::size_t kMaxIcsDatesPerEvent = 10'000;
inline constexpr std::size_t kMaxIcsMarks = 2'000'000;
inline constexpr long kIcsExpansionBudget = 10'000'000;

// Turns a UTC date-time into the user's local one (the Win32 layer uses the
// system's time zone). An empty function takes UTC as local. It is called
// while a file is read; whatever it throws passes out of ReadIcs.
using UtcToLocal = std::function<TDateTime(TDateTime utc)>;

struct IcsProblem {
    std::size_t line = 0;  // 1-based; 0 for the file as a whole
    std::wstring message;
    // "line 40: DTSTART is missing", or the message alone for line 0.
    std::wstring Text() const;
};

struct MarkedEvent {
    std::wstring name;              // SUMMARY, unescaped, on one line
    std::vector<DayNumber> days;    // the days it marks within the years, sorted, once each
};

struct IcsReadResult {
    std::size_t eventCount = 0;        // good events read, also those outside the years
    std::vector<MarkedEvent> events;   // those marking a day within the years
    std::optional<IcsProblem> problem; // the first one
};

struct IcsReadOptions {
    int firstYear = 0;
    int lastYear = 0;
    UtcToLocal toLocal;
};

IcsReadResult ReadIcs(ByteSource& in, const IcsReadOptions& options);

}  // namespace kiv
