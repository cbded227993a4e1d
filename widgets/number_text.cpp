#include "widgets/number_text.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

namespace kiv {
namespace {

std::optional<int> ParseInt(std::wstring_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulated as a negative value so that INT_MIN, which has no positive
    // counterpart, is read like any other number.
    constexpr int lowest = std::numeric_limits<int>::min();
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        int digit = c - L'0';
        if (value < (lowest + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest) return std::nullopt;
        value = -value;
    }
    return value;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

int NumberFromText(std::wstring_view text) { return ParseInt(text).value_or(kNoNumber); }

int NumberFromTextOrZero(std::wstring_view text) { return ParseInt(text).value_or(0); }

std::wstring UnpaddedNumberText(std::wstring_view text) { return std::to_wstring(NumberFromTextOrZero(text)); }

std::wstring PaddedNumberText(std::wstring_view text, int minDigits) {
    // C's "%.0d" prints nothing for zero; the box always shows a digit.
    int precision = minDigits < 1 ? 1 : minDigits;
    char pattern[32];
    std::snprintf(pattern, sizeof pattern, "%%.%dd", precision);
    int value = NumberFromTextOrZero(text);
    int length = std::snprintf(nullptr, 0, pattern, value);
    // A precision near INT_MAX makes a result whose length no int holds.
    if (length < 0) throw std::length_error("The number is too long to be padded");
    std::string formatted(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(formatted.data(), formatted.size(), pattern, value);
    formatted.resize(static_cast<size_t>(length));
    return Widen(formatted);
}

}  // namespace kiv
