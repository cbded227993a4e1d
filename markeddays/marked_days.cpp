#include "markeddays/marked_days.h"

#include <algorithm>

namespace kiv {

MarkedDays::MarkedDays(int firstYear, int lastYear)
    : firstYear_(std::clamp(firstYear, 1, 9999)), lastYear_(std::clamp(lastYear, 1, 9999)) {
    if (lastYear_ >= firstYear_) months_.assign(static_cast<std::size_t>(lastYear_ - firstYear_ + 1) * 12, 0);
}

void MarkedDays::Add(const std::vector<MarkedEvent>& events) {
    if (months_.empty()) return;
    const DayNumber from = DayFromCivil(firstYear_, 1, 1), to = DayFromCivil(lastYear_, 12, 31);
    const std::size_t before = dayNames_.size();
    for (const MarkedEvent& event : events) {
        const auto index = static_cast<std::uint32_t>(names_.size());
        bool used = false;
        for (DayNumber day : event.days) {
            if (day < from || day > to) continue;
            const CivilDate date = CivilFromDay(day);
            months_[static_cast<std::size_t>(date.year - firstYear_) * 12 + date.month - 1] |= 1u << (date.day - 1);
            dayNames_.emplace_back(day, index);
            used = true;
        }
        if (used) names_.push_back(event.name);
    }
    const auto byDay = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(dayNames_.begin() + static_cast<std::ptrdiff_t>(before), dayNames_.end(), byDay);
    std::inplace_merge(dayNames_.begin(), dayNames_.begin() + static_cast<std::ptrdiff_t>(before), dayNames_.end(), byDay);
}

std::uint32_t MarkedDays::MonthState(int year, int month) const noexcept {
    if (year < firstYear_ || year > lastYear_ || month < 1 || month > 12) return 0;
    return months_[static_cast<std::size_t>(year - firstYear_) * 12 + month - 1];
}

void MarkedDays::MonthStates(int year, int month, std::span<std::uint32_t> states) const noexcept {
    long index = static_cast<long>(year) * 12 + month - 1;
    for (std::uint32_t& state : states) {
        state = MonthState(static_cast<int>(index / 12), static_cast<int>(index % 12) + 1);
        ++index;
    }
}

bool MarkedDays::IsMarked(TDateTime value) const noexcept {
    const CivilDate date = CivilFromDay(DayOf(value));
    return (MonthState(date.year, date.month) >> (date.day - 1)) & 1u;
}

std::vector<std::wstring> MarkedDays::EventsOn(TDateTime value) const {
    const DayNumber day = DayOf(value);
    auto at = std::lower_bound(dayNames_.begin(), dayNames_.end(), day,
                               [](const auto& entry, DayNumber d) { return entry.first < d; });
    std::vector<std::wstring> names;
    for (; at != dayNames_.end() && at->first == day; ++at) {
        const std::wstring& name = names_[at->second];
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

}  // namespace kiv
