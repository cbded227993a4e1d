// Date values as the program keeps them: days since 30 December 1899 in a
// double, the fraction being the time of day.
#pragma once

#include <optional>

namespace kiv {

using TDateTime = double;

struct CivilDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(int year) noexcept;
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month) noexcept;
bool IsValidDate(int year, int month, int day) noexcept;

// nullopt for a date that does not exist or lies outside years 1..9999.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day) noexcept;
// Throws std::invalid_argument for such a date.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeDate(const CivilDate& date);
CivilDate DecodeDate(TDateTime value) noexcept;

// The whole day, the time of day dropped.
TDateTime DateOf(TDateTime value) noexcept;

}  // namespace kiv
