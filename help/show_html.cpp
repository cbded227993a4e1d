#include "help/show_html.h"

#include "help/help_texts.h"

namespace kiv {

long long DivideRoundingToEven(long long numerator, long long denominator) noexcept {
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {  // floor division, so the remainder is never negative
        quotient -= 1;
        remainder += denominator;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

HtmlWindowSize HtmlWindowSizeFor(int monitorWidth, int monitorHeight) noexcept {
    // Whole-number arithmetic: 0.7 has no exact binary form, so a product
    // such as 0.7 x 1035 would not land on its half.
    return {static_cast<int>(DivideRoundingToEven(8LL * monitorWidth, 10)),
            static_cast<int>(DivideRoundingToEven(7LL * monitorHeight, 10))};
}

std::wstring HelpFilePath(const std::wstring& programFile) {
    const auto slash = programFile.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : programFile.substr(0, slash + 1);
    return folder + kHelpFileName;
}

std::wstring HelpCaption() { return std::wstring(product::kName) + L" Help"; }

std::wstring MissingFileMessage(const std::wstring& fileName) { return L"Couldn't find the file " + fileName; }

}  // namespace kiv
