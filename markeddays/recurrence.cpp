#include "markeddays/recurrence.h"

#include <algorithm>
#include <charconv>

#include "markeddays/ics_lines.h"

namespace kiv {
namespace {
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool Number(std::string_view text, long low, long high, long& value) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

bool NumberList(std::string_view text, long limit, bool negative, std::vector<int>& out) {
    for (std::string_view part : Split(text, ',')) {
        long value = 0;
        if (!Number(part, negative ? -limit : 1, limit, value) || value == 0) return false;
        out.push_back(static_cast<int>(value));
    }
    return true;
}

std::optional<Weekday> WeekdayCode(std::string_view code) {
    static constexpr std::string_view kCodes[7] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int i = 0; i < 7; ++i)
        if (code == kCodes[i]) return static_cast<Weekday>(i);
    return std::nullopt;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}
}  // namespace

std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view value, std::wstring& error) {
    RecurrenceRule rule;
    bool haveFrequency = false;
    for (std::string_view part : Split(value, ';')) {
        if (part.empty()) continue;
        const std::size_t eq = part.find('=');
        const std::string key = Upper(part.substr(0, eq));
        const std::string text = eq == std::string_view::npos ? std::string() : Upper(part.substr(eq + 1));
        long number = 0;
        bool good = true;
        if (key == "FREQ") {
            static constexpr std::pair<std::string_view, Frequency> kFrequencies[] = {
                {"YEARLY", Frequency::Yearly}, {"MONTHLY", Frequency::Monthly},
                {"WEEKLY", Frequency::Weekly}, {"DAILY", Frequency::Daily}};
            good = false;
            for (const auto& [name, frequency] : kFrequencies)
                if (text == name) good = true, rule.frequency = frequency;
            if (!good) {
                error = L"RRULE: FREQ=" + Utf8ToWide(text) + L" is not supported";
                return std::nullopt;
            }
            haveFrequency = true;
        } else if (key == "INTERVAL") {
            good = Number(text, 1, 1'000'000, number);
            rule.interval = static_cast<int>(number);
        } else if (key == "COUNT") {
            good = Number(text, 1, 1'000'000'000, number);
            rule.count = number;
        } else if (key == "UNTIL") {
            rule.until = ParseIcsTime(text, false);
            good = rule.until.has_value();
        } else if (key == "BYMONTH") {
            good = NumberList(text, 12, false, rule.byMonth);
            std::sort(rule.byMonth.begin(), rule.byMonth.end());
        } else if (key == "BYMONTHDAY") {
            good = NumberList(text, 31, true, rule.byMonthDay);
        } else if (key == "BYYEARDAY") {
            good = NumberList(text, 366, true, rule.byYearDay);
        } else if (key == "BYSETPOS") {
            good = NumberList(text, 366, true, rule.bySetPos);
        } else if (key == "BYDAY") {
            for (std::string_view item : Split(text, ',')) {
                const auto weekday = item.size() >= 2 ? WeekdayCode(item.substr(item.size() - 2)) : std::nullopt;
                long ordinal = 0;
                const std::string_view prefix = item.substr(0, item.size() >= 2 ? item.size() - 2 : 0);
                if (!weekday || (!prefix.empty() && (!Number(prefix, -53, 53, ordinal) || ordinal == 0))) {
                    good = false;
                    break;
                }
                rule.byDay.push_back({static_cast<int>(ordinal), *weekday});
            }
        } else if (key == "WKST") {
            const auto weekday = WeekdayCode(text);
            good = weekday.has_value();
            if (weekday) rule.weekStart = *weekday;
        } else if (key == "BYWEEKNO") {
            error = L"RRULE: BYWEEKNO is not supported";
            return std::nullopt;
        }
        // BYHOUR, BYMINUTE, BYSECOND and extensions change no day.
        if (!good) {
            error = L"RRULE: bad " + Utf8ToWide(key);
            return std::nullopt;
        }
    }
    if (!haveFrequency) {
        error = L"RRULE: FREQ is missing";
        return std::nullopt;
    }
    if (rule.count && rule.until) {
        error = L"RRULE: both COUNT and UNTIL";
        return std::nullopt;
    }
    return rule;
}

namespace {
enum class OrdinalScope { None, Month, Year };

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Whether day `index` (1-based) of a span of `length` days is in a list
// that counts from the start (1, 2 ...) and from the end (-1, -2 ...).
bool IndexIn(const std::vector<int>& list, int index, int length) {
    for (int x : list)
        if (x == index || length + 1 + x == index) return true;
    return false;
}

bool WeekdayIn(const std::vector<WeekdayNumber>& list, Weekday weekday, int nth, int nthFromEnd, bool ordinals) {
    for (const WeekdayNumber& w : list)
        if (w.weekday == weekday && (!ordinals || w.ordinal == 0 || w.ordinal == nth || w.ordinal == nthFromEnd))
            return true;
    return false;
}

class Expander {
public:
    Expander(const RecurrenceRule& rule, DayNumber start)
        : r_(rule), start_(CivilFromDay(start)), startWeekday_(WeekdayOf(start)),
          dayRules_(!rule.byMonthDay.empty() || !rule.byYearDay.empty() || !rule.byDay.empty()) {}

    // The days of one month that the rule picks, by the day rules.
    void AddMonth(int year, int month, OrdinalScope scope, std::vector<DayNumber>& set) const {
        const int length = DaysInMonth(year, month);
        const DayNumber first = DayFromCivil(year, month, 1);
        if (!dayRules_) {
            if (start_.day <= length) set.push_back(first + start_.day - 1);
            return;
        }
        if (r_.byDay.empty() && r_.byYearDay.empty()) {
            for (int x : r_.byMonthDay) {
                const int d = x > 0 ? x : length + 1 + x;
                if (d >= 1 && d <= length) set.push_back(first + d - 1);
            }
            return;
        }
        const DayNumber yearFirst = DayFromCivil(year, 1, 1);
        const int yearLength = IsLeapYear(year) ? 366 : 365;
        for (int d = 1; d <= length; ++d) {
            const DayNumber day = first + d - 1;
            const int yearDay = day - yearFirst + 1;
            if (!r_.byMonthDay.empty() && !IndexIn(r_.byMonthDay, d, length)) continue;
            if (!r_.byYearDay.empty() && !IndexIn(r_.byYearDay, yearDay, yearLength)) continue;
            if (!r_.byDay.empty()) {
                const bool inYear = scope == OrdinalScope::Year;
                const int index = inYear ? yearDay : d, span = inYear ? yearLength : length;
                if (!WeekdayIn(r_.byDay, WeekdayOf(day), (index - 1) / 7 + 1, -((span - index) / 7 + 1),
                               scope != OrdinalScope::None))
                    continue;
            }
            set.push_back(day);
        }
    }

    // The first day of period k and the rule's days in it.
    DayNumber Period(long long k, std::vector<DayNumber>& set) const {
        set.clear();
        const long long step = k * r_.interval;
        switch (r_.frequency) {
            case Frequency::Yearly: {
                const long long year = start_.year + step;
                if (year > 9999) return kPastEnd;
                const int y = static_cast<int>(year);
                const OrdinalScope scope = !r_.byMonthDay.empty() || !r_.byYearDay.empty() ? OrdinalScope::None
                                           : !r_.byMonth.empty()                            ? OrdinalScope::Month
                                                                                             : OrdinalScope::Year;
                if (!r_.byMonth.empty()) {
                    for (int m : r_.byMonth) AddMonth(y, m, scope, set);
                } else if (dayRules_) {
                    for (int m = 1; m <= 12; ++m) AddMonth(y, m, scope, set);
                } else {
                    AddMonth(y, start_.month, scope, set);
                }
                return DayFromCivil(y, 1, 1);
            }
            case Frequency::Monthly: {
                const long long index = start_.year * 12LL + (start_.month - 1) + step;
                if (index / 12 > 9999) return kPastEnd;
                const int y = static_cast<int>(index / 12), m = static_cast<int>(index % 12) + 1;
                if (r_.byMonth.empty() || Contains(r_.byMonth, m))
                    AddMonth(y, m, r_.byMonthDay.empty() ? OrdinalScope::Month : OrdinalScope::None, set);
                return DayFromCivil(y, m, 1);
            }
            case Frequency::Weekly: {
                const long long first = WeekFirst() + 7 * step;
                if (first > kLastDay) return kPastEnd;
                for (int i = 0; i < 7; ++i) {
                    const DayNumber day = static_cast<DayNumber>(first) + i;
                    if (!r_.byMonth.empty() && !Contains(r_.byMonth, CivilFromDay(day).month)) continue;
                    const Weekday weekday = WeekdayOf(day);
                    if (r_.byDay.empty() ? weekday != startWeekday_ : !WeekdayIn(r_.byDay, weekday, 0, 0, false))
                        continue;
                    set.push_back(day);
                }
                return static_cast<DayNumber>(first);
            }
            case Frequency::Daily: {
                const long long value = DayFromCivil(start_.year, start_.month, start_.day) + step;
                if (value > kLastDay) return kPastEnd;
                const auto day = static_cast<DayNumber>(value);
                const CivilDate date = CivilFromDay(day);
                const int yearDay = day - DayFromCivil(date.year, 1, 1) + 1;
                if ((r_.byMonth.empty() || Contains(r_.byMonth, date.month)) &&
                    (r_.byMonthDay.empty() || IndexIn(r_.byMonthDay, date.day, DaysInMonth(date.year, date.month))) &&
                    (r_.byYearDay.empty() || IndexIn(r_.byYearDay, yearDay, IsLeapYear(date.year) ? 366 : 365)) &&
                    (r_.byDay.empty() || WeekdayIn(r_.byDay, WeekdayOf(day), 0, 0, false)))
                    set.push_back(day);
                return day;
            }
        }
        return kPastEnd;
    }

    // The first period that may hold a day on or after `from`.
    long long FirstPeriodFor(DayNumber from) const {
        const DayNumber start = DayFromCivil(start_.year, start_.month, start_.day);
        if (from <= start) return 0;
        const CivilDate date = CivilFromDay(from);
        long long behind = 0, length = 1;
        switch (r_.frequency) {
            case Frequency::Yearly: behind = date.year - start_.year; break;
            case Frequency::Monthly: behind = (date.year - start_.year) * 12LL + date.month - start_.month; break;
            case Frequency::Weekly: behind = from - 6 - WeekFirst(), length = 7; break;
            case Frequency::Daily: behind = from - start; break;
        }
        const long long per = length * r_.interval;
        return behind <= 0 ? 0 : (behind + per - 1) / per;
    }

    static constexpr DayNumber kPastEnd = 2'000'000'000;
    static constexpr DayNumber kLastDay = DayFromCivil(9999, 12, 31);

private:
    DayNumber WeekFirst() const {
        const DayNumber start = DayFromCivil(start_.year, start_.month, start_.day);
        return start - (startWeekday_ - r_.weekStart + 7) % 7;
    }

    const RecurrenceRule& r_;
    CivilDate start_;
    Weekday startWeekday_;
    bool dayRules_;
};

void KeepSetPositions(const std::vector<int>& positions, std::vector<DayNumber>& set) {
    std::vector<DayNumber> kept;
    const int size = static_cast<int>(set.size());
    for (int p : positions) {
        const int index = p > 0 ? p - 1 : size + p;
        if (index >= 0 && index < size) kept.push_back(set[static_cast<std::size_t>(index)]);
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    set.swap(kept);
}
}  // namespace

bool ExpandRule(const RecurrenceRule& rule, DayNumber start, int startSeconds,
                std::optional<std::pair<DayNumber, int>> until, RuleWindow window, long& budget,
                std::vector<DayNumber>& out) {
    if (start >= window.from && start <= window.to) out.push_back(start);
    long emitted = 1;
    if (rule.count && emitted >= *rule.count) return true;
    const auto beyondUntil = [&](DayNumber day) {
        return until && (day > until->first || (day == until->first && startSeconds > until->second));
    };
    const Expander expander(rule, start);
    std::vector<DayNumber> set;
    for (long long k = rule.count ? 0 : expander.FirstPeriodFor(window.from);; ++k) {
        if (--budget < 0) return false;
        const DayNumber first = expander.Period(k, set);
        if (first > window.to || (until && first > until->first)) return true;
        std::sort(set.begin(), set.end());
        if (!rule.bySetPos.empty()) KeepSetPositions(rule.bySetPos, set);
        for (DayNumber day : set) {
            if (day <= start) continue;
            if (beyondUntil(day) || day > window.to) return true;
            if (day >= window.from) out.push_back(day);
            if (rule.count && ++emitted >= *rule.count) return true;
        }
    }
}

}  // namespace kiv
