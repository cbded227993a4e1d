#include "markeddays/ics_reader.h"

#include <algorithm>

#include "markeddays/ics_lines.h"
#include "markeddays/ics_values.h"
#include "markeddays/recurrence.h"

namespace kiv {

std::wstring IcsProblem::Text() const {
    return line == 0 ? message : L"line " + std::to_wstring(line) + L": " + message;
}

namespace {
struct PendingEvent {
    std::size_t line = 0;
    std::wstring name;
    bool cancelled = false;
    std::optional<IcsTime> start, end;
    std::optional<int> durationDays;
    std::vector<RecurrenceRule> rules;
    std::vector<IcsTime> added, excluded;
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// An event name on one line: control characters become spaces, and the
// spaces at either end go.
std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c < 0x20 || c == 0x7F) c = L' ';
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// A value quoted in a message, cut short.
std::wstring Quoted(std::string_view value) {
    constexpr std::size_t kShown = 40;
    std::wstring shown = Utf8ToWide(value.substr(0, kShown));
    return L"\"" + shown + (value.size() > kShown ? L"...\"" : L"\"");
}

class Reader {
public:
    explicit Reader(const IcsReadOptions& options)
        : options_(options),
          rangeFrom_(DayFromCivil(std::clamp(options.firstYear, 1, 9999), 1, 1)),
          rangeTo_(DayFromCivil(std::clamp(options.lastYear, 1, 9999), 12, 31)) {}

    IcsReadResult Run(ByteSource& in) {
        IcsLineReader lines(in);
        std::string text;
        IcsContentLine line;
        PendingEvent event;
        bool inEvent = false, first = true;
        int nested = 0;  // components open inside the event (VALARM ...)
        while (lines.Next(text)) {
            const std::size_t number = lines.LineNumber();
            if (first) {
                first = false;
                if (lines.TooLong() || lines.SawNul() || !EqualsNoCase(Trimmed(text), "BEGIN:VCALENDAR")) {
                    Problem(number, L"not an iCalendar file");
                    return std::move(result_);
                }
                continue;
            }
            if (lines.TooLong()) {
                Problem(number, L"line longer than 64 KiB");
                continue;
            }
            if (Trimmed(text).empty()) continue;
            if (!ParseContentLine(text, line)) {
                Problem(number, L"malformed line");
                continue;
            }
            if (line.name == "BEGIN" || line.name == "END") {
                const bool isEvent = EqualsNoCase(Trimmed(line.value), "VEVENT");
                if (line.name == "BEGIN" && isEvent) {
                    if (inEvent) Problem(event.line, L"END:VEVENT is missing");
                    event = PendingEvent{};
                    event.line = number;
                    inEvent = true;
                    nested = 0;
                } else if (line.name == "END" && isEvent) {
                    if (inEvent && !Finish(event)) return std::move(result_);
                    inEvent = false;
                } else if (inEvent) {
                    nested += line.name == "BEGIN" ? 1 : nested > 0 ? -1 : 0;
                }
                continue;
            }
            if (inEvent && nested == 0) Property(line, number, event);
        }
        if (first) Problem(0, L"the file is empty");
        if (inEvent) Problem(event.line, L"END:VEVENT is missing");
        return std::move(result_);
    }

private:
    void Problem(std::size_t line, std::wstring message) {
        if (!result_.problem) result_.problem = IcsProblem{line, std::move(message)};
    }

    std::optional<IcsTime> Time(const IcsContentLine& line, std::string_view value, std::size_t number) {
        auto time = ParseIcsTime(value, !line.Parameter("TZID").empty());
        if (!time) Problem(number, Utf8ToWide(line.name) + L": bad date " + Quoted(value));
        return time;
    }

    void Property(const IcsContentLine& line, std::size_t number, PendingEvent& event) {
        const std::string& name = line.name;
        if (name == "SUMMARY") {
            event.name = OneLine(UnescapeIcsText(line.value));
        } else if (name == "STATUS") {
            event.cancelled = EqualsNoCase(Trimmed(line.value), "CANCELLED");
        } else if (name == "DTSTART" || name == "DTEND") {
            (name == "DTSTART" ? event.start : event.end) = Time(line, Trimmed(line.value), number);
        } else if (name == "DURATION") {
            event.durationDays = ParseIcsDurationDays(Trimmed(line.value));
            if (!event.durationDays) Problem(number, L"DURATION: bad value " + Quoted(line.value));
        } else if (name == "RRULE") {
            std::wstring error;
            if (auto rule = ParseRecurrenceRule(Trimmed(line.value), error)) {
                if (event.rules.size() < 8) event.rules.push_back(std::move(*rule));
            } else {
                Problem(number, error);
            }
        } else if (name == "RDATE" || name == "EXDATE") {
            auto& list = name == "RDATE" ? event.added : event.excluded;
            std::string_view rest = Trimmed(line.value);
            while (!rest.empty()) {
                const std::size_t comma = rest.find(',');
                std::string_view value = rest.substr(0, comma);
                rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
                value = value.substr(0, value.find('/'));  // a PERIOD counts from its start
                if (event.added.size() + event.excluded.size() >= kMaxIcsDatesPerEvent) {
                    Problem(number, L"more than 10000 RDATE and EXDATE values in one event");
                    return;
                }
                if (auto time = Time(line, value, number)) list.push_back(*time);
            }
        }
    }

    DayNumber LocalDay(const IcsTime& time) const {
        if (time.kind != IcsTimeKind::Utc || !options_.toLocal) return time.day;
        return DayOf(options_.toLocal(ToDateTime(time.day, time.seconds)));
    }

    // UNTIL as (day, seconds) in the frame of the start's own values.
    std::pair<DayNumber, int> UntilFor(const IcsTime& start, const IcsTime& until) const {
        if (until.kind == IcsTimeKind::Date) return {until.day, 86399};
        if (until.kind != IcsTimeKind::Utc || start.kind == IcsTimeKind::Utc)
            return {until.day, start.kind == IcsTimeKind::Date ? 86399 : until.seconds};
        const TDateTime local = options_.toLocal ? options_.toLocal(ToDateTime(until.day, until.seconds))
                                                 : ToDateTime(until.day, until.seconds);
        const DayNumber day = DayOf(local);
        if (start.kind == IcsTimeKind::Date) return {day, 86399};
        const double fraction = local >= 0 ? local - day : day - local;
        return {day, static_cast<int>(fraction * 86400.0 + 0.5)};
    }

    // Turns a complete event into its days; false when a cap ends the reading.
    bool Finish(const PendingEvent& event) {
        if (event.cancelled) return true;
        if (!event.start) {
            Problem(event.line, L"DTSTART is missing");
            return true;
        }
        if (result_.eventCount >= kMaxIcsEvents) {
            Problem(event.line, L"more than 100000 events: the rest are left out");
            return false;
        }
        ++result_.eventCount;
        const IcsTime& start = *event.start;
        long span = 1;
        if (start.kind == IcsTimeKind::Date) {
            if (event.end) span = static_cast<long>(event.end->day) - start.day;
            else if (event.durationDays) span = *event.durationDays;
            span = std::clamp(span, 1L, static_cast<long>(rangeTo_ - rangeFrom_) + 2);
        }
        // A day either side: a UTC start may fall on the day before or after.
        const RuleWindow window{static_cast<DayNumber>(rangeFrom_ - span - 1), rangeTo_ + 1};

        std::vector<DayNumber> starts;
        if (event.rules.empty()) {
            starts.push_back(start.day);
        } else {
            for (const RecurrenceRule& rule : event.rules) {
                std::optional<std::pair<DayNumber, int>> until;
                if (rule.until) until = UntilFor(start, *rule.until);
                if (!ExpandRule(rule, start.day, start.seconds, until, window, budget_, starts)) {
                    Problem(event.line, L"too many recurrences to expand");
                    break;
                }
            }
        }
        std::vector<DayNumber> local;
        local.reserve(starts.size() + event.added.size());
        for (DayNumber day : starts) local.push_back(LocalDay({day, start.seconds, start.kind}));
        for (const IcsTime& time : event.added) local.push_back(LocalDay(time));
        std::sort(local.begin(), local.end());
        local.erase(std::unique(local.begin(), local.end()), local.end());
        for (const IcsTime& time : event.excluded) {
            const auto at = std::lower_bound(local.begin(), local.end(), LocalDay(time));
            if (at != local.end() && *at == LocalDay(time)) local.erase(at);
        }

        MarkedEvent marked;
        DayNumber covered = rangeFrom_ - 1;  // the instances' days overlap: each day once
        for (DayNumber day : local) {
            const long last = std::min<long>(static_cast<long>(day) + span - 1, rangeTo_);
            for (long d = std::max<long>(day, covered + 1L); d <= last; ++d) marked.days.push_back(static_cast<DayNumber>(d));
            covered = static_cast<DayNumber>(std::max<long>(covered, last));
        }
        if (marked.days.empty()) return true;
        marks_ += marked.days.size();
        if (marks_ > kMaxIcsMarks) {
            Problem(event.line, L"too many marked days: the rest are left out");
            return false;
        }
        marked.name = event.name;
        result_.events.push_back(std::move(marked));
        return true;
    }

    const IcsReadOptions& options_;
    const DayNumber rangeFrom_, rangeTo_;
    IcsReadResult result_;
    long budget_ = kIcsExpansionBudget;
    std::size_t marks_ = 0;
};
}  // namespace

IcsReadResult ReadIcs(ByteSource& in, const IcsReadOptions& options) { return Reader(options).Run(in); }

}  // namespace kiv
