// The help viewer's rules that need no window: where the help page lies, what
// its window is called, how big it opens and what is said when the page is missing.
#pragma once

#include <string>

namespace kiv {

inline constexpr const wchar_t* kHelpFileName = L"Help.html";

// numerator / denominator rounded to the nearest whole number, halves to the
// even one; the denominator must be positive.
long long DivideRoundingToEven(long long numerator, long long denominator) noexcept;

struct HtmlWindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const HtmlWindowSize&) const = default;
};

// 80 % of the monitor's width by 70 % of its height, each rounded to a whole
// pixel with halves going to the even one.
HtmlWindowSize HtmlWindowSizeFor(int monitorWidth, int monitorHeight) noexcept;

// "Help.html" in the folder of the program file (a full path).
std::wstring HelpFilePath(const std::wstring& programFile);

// The application title followed by " Help".
std::wstring HelpCaption();

// "Couldn't find the file " followed by the file's name.
std::wstring MissingFileMessage(const std::wstring& fileName);

}  // namespace kiv
