#include "markeddays/ics_values.h"

namespace kiv {
namespace {
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}
}  // namespace

std::optional<IcsTime> ParseIcsTime(std::string_view text, bool zoned) {
    int year = 0, month = 0, day = 0;
    if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day)) return std::nullopt;
    if (!IsValidDate(year, month, day)) return std::nullopt;
    IcsTime out;
    out.day = DayFromCivil(year, month, day);
    if (text.size() == 8) return out;
    int hour = 0, minute = 0, second = 0;
    if (text[8] != 'T' || !Digits(text, 9, 2, hour) || !Digits(text, 11, 2, minute) ||
        !Digits(text, 13, 2, second) || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    out.seconds = hour * 3600 + minute * 60 + (second == 60 ? 59 : second);  // a leap second stays in its minute
    if (text.size() == 15) {
        out.kind = zoned ? IcsTimeKind::Zoned : IcsTimeKind::Floating;
        return out;
    }
    if (text.size() == 16 && text[15] == 'Z') {
        out.kind = IcsTimeKind::Utc;
        return out;
    }
    return std::nullopt;
}

std::optional<int> ParseIcsDurationDays(std::string_view text) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.size() < 3 || text[0] != 'P') return std::nullopt;
    long days = 0;
    bool inTime = false, any = false;
    long number = -1;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number = (number < 0 ? 0 : number) * 10 + (c - '0');
            if (number > 10'000'000) return std::nullopt;
            continue;
        }
        if (c == 'T' && !inTime && number < 0) {
            inTime = true;
            continue;
        }
        if (number < 0) return std::nullopt;
        if (!inTime && c == 'W') days += number * 7;
        else if (!inTime && c == 'D') days += number;
        else if (inTime && c == 'H') days += number / 24;
        else if (!(inTime && (c == 'M' || c == 'S'))) return std::nullopt;
        any = true;
        number = -1;
    }
    if (!any || number >= 0 || days > 10'000'000) return std::nullopt;
    return static_cast<int>(days);
}

TDateTime ToDateTime(DayNumber day, int seconds) noexcept {
    const double fraction = seconds / 86400.0;
    return day >= 0 ? day + fraction : day - fraction;
}

}  // namespace kiv
