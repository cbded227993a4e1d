// The rules by which the numeric edit box reads its text as a whole number
// and writes whole numbers back as text.
#pragma once

#include <string>
#include <string_view>

namespace kiv {

// Read back when the text holds no whole number: empty text, a value outside
// the int range, or any character besides one leading sign and ASCII digits.
inline constexpr int kNoNumber = -1;

// The text as an int, or kNoNumber.
int NumberFromText(std::wstring_view text);

// The text as an int; when it is not one, zero.
int NumberFromTextOrZero(std::wstring_view text);

// The plain decimal form: no leading zeros, "0" for text that is no number.
std::wstring UnpaddedNumberText(std::wstring_view text);

// The number of the text (zero when it is not one) with at least
// max(minDigits, 1) digits, filled with leading zeros; a minus sign comes
// before the zeros. A negative minDigits counts as zero.
std::wstring PaddedNumberText(std::wstring_view text, int minDigits);

}  // namespace kiv
