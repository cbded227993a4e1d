#include "calendar/date_time.h"

#include <cmath>
#include <stdexcept>

namespace kiv {
namespace {
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr long kDelta = 693594;

long DaysBeforeYear(long year) noexcept {
    long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}
}  // namespace

bool IsLeapYear(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) noexcept {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) noexcept {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) noexcept {
    if (!IsValidDate(year, month, day)) return std::nullopt;
    long days = DaysBeforeYear(year);
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    days += day;
    return static_cast<TDateTime>(days - kDelta);
}

TDateTime EncodeDate(int year, int month, int day) {
    auto value = TryEncodeDate(year, month, day);
    if (!value) throw std::invalid_argument("Invalid argument to date encode");
    return *value;
}

TDateTime EncodeDate(const CivilDate& date) { return EncodeDate(date.year, date.month, date.day); }

CivilDate DecodeDate(TDateTime value) noexcept {
    long days = static_cast<long>(std::trunc(value)) + kDelta;  // 1 = 0001-01-01
    if (days <= 0) return {};
    // Whole 400-, 100-, 4- and 1-year cycles, as the proleptic Gregorian calendar runs.
    long d = days - 1;
    long y = 1;
    y += 400 * (d / 146097);
    d %= 146097;
    long c = d / 36524;
    if (c == 4) c = 3;
    y += 100 * c;
    d -= c * 36524;
    y += 4 * (d / 1461);
    d %= 1461;
    long r = d / 365;
    if (r == 4) r = 3;
    y += r;
    d -= r * 365;
    CivilDate out;
    out.year = static_cast<int>(y);
    int month = 1;
    while (d >= DaysInMonth(out.year, month)) {
        d -= DaysInMonth(out.year, month);
        ++month;
    }
    out.month = month;
    out.day = static_cast<int>(d) + 1;
    return out;
}

TDateTime DateOf(TDateTime value) noexcept { return std::trunc(value); }

}  // namespace kiv
