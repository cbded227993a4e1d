#include "markeddays/date_details.h"

#include <algorithm>

namespace kiv {
namespace {
constexpr wchar_t kEnDash = 0x2013;
constexpr std::wstring_view kLineBreak = L"\r\n";

std::wstring Counted(long count, std::wstring_view one, std::wstring_view many) {
    return std::to_wstring(count) + L" " + std::wstring(count == 1 ? one : many);
}
}  // namespace

IsoWeek IsoWeekOf(TDateTime value) noexcept {
    const DayNumber day = DayOf(value);
    const DayNumber thursday = day - WeekdayOf(day) + kThursday;
    const int year = CivilFromDay(thursday).year;
    return {year, (thursday - DayFromCivil(year, 1, 1)) / 7 + 1};
}

int DayOfYear(TDateTime value) noexcept {
    const DayNumber day = DayOf(value);
    return day - DayFromCivil(CivilFromDay(day).year, 1, 1) + 1;
}

int DaysInYear(int year) noexcept { return IsLeapYear(year) ? 366 : 365; }

int WorkingDays(TDateTime first, TDateTime last, const MarkedDays& marked) {
    DayNumber from = DayOf(first), to = DayOf(last);
    if (from > to) std::swap(from, to);
    int count = 0;
    for (DayNumber day = from; day <= to; ++day)
        if (WeekdayOf(day) <= kFriday && !marked.IsMarked(day)) ++count;
    return count;
}

std::wstring WeekAndDayText(TDateTime day) {
    return L"Week " + std::to_wstring(IsoWeekOf(day).week) + L", day " + std::to_wstring(DayOfYear(day)) +
           L" of " + std::to_wstring(DaysInYear(CivilFromDay(DayOf(day)).year));
}

std::wstring RangeLengthText(TDateTime first, TDateTime last, const MarkedDays& marked) {
    const long days = std::labs(static_cast<long>(DayOf(last)) - DayOf(first)) + 1;
    return Counted(days, L"day", L"days") + L", " +
           Counted(WorkingDays(first, last, marked), L"working day", L"working days");
}

std::wstring RangeWeeksText(TDateTime first, TDateTime last) {
    if (DayOf(first) > DayOf(last)) std::swap(first, last);
    const IsoWeek a = IsoWeekOf(first), b = IsoWeekOf(last);
    if (a == b) return L"Week " + std::to_wstring(a.week);
    if (b.year - a.year > 1 || (b.year > a.year && b.week >= a.week))
        return L"Week " + std::to_wstring(a.week) + L" of " + std::to_wstring(a.year) + L" " + kEnDash + L" week " +
               std::to_wstring(b.week) + L" of " + std::to_wstring(b.year);
    return L"Weeks " + std::to_wstring(a.week) + kEnDash + std::to_wstring(b.week);
}

std::wstring DayDetailsText(std::wstring_view longDate, TDateTime day, const MarkedDays& marked) {
    std::wstring text(longDate);
    text += kLineBreak;
    text += WeekAndDayText(day);
    for (const std::wstring& name : marked.EventsOn(day)) {
        if (name.empty()) continue;
        text += kLineBreak;
        text += name;
    }
    return text;
}

std::wstring RangeDetailsText(std::wstring_view firstDate, std::wstring_view lastDate, TDateTime first,
                              TDateTime last, const MarkedDays& marked) {
    std::wstring text(firstDate);
    text += L" ";
    text += kEnDash;
    text += L" ";
    text += lastDate;
    text += kLineBreak;
    text += RangeLengthText(first, last, marked);
    text += kLineBreak;
    text += RangeWeeksText(first, last);
    return text;
}

}  // namespace kiv
