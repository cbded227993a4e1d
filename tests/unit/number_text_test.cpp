#include "widgets/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace kiv {
namespace {

TEST(NumberText, ReadsWholeNumbersAndRejectsAnythingElse) {
    EXPECT_EQ(NumberFromText(L"2026"), 2026);
    EXPECT_EQ(NumberFromText(L"0007"), 7);
    EXPECT_EQ(NumberFromText(L"0"), 0);
    EXPECT_EQ(NumberFromText(L"-12"), -12);
    EXPECT_EQ(NumberFromText(L"+12"), 12);

    EXPECT_EQ(NumberFromText(L""), kNoNumber);
    EXPECT_EQ(NumberFromText(L"-"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"abc"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"12a"), kNoNumber);
    EXPECT_EQ(NumberFromText(L" 12"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"12 "), kNoNumber);
    EXPECT_EQ(NumberFromText(L"1.5"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"08/12/2026"), kNoNumber);
    // Digits of other scripts are not ASCII digits.
    EXPECT_EQ(NumberFromText(L"\x0663"), kNoNumber);
}

TEST(NumberText, ReadsTheWholeIntRangeAndNothingBeyondIt) {
    EXPECT_EQ(NumberFromText(L"2147483647"), INT_MAX);
    EXPECT_EQ(NumberFromText(L"-2147483648"), INT_MIN);
    EXPECT_EQ(NumberFromText(L"00000000002147483647"), INT_MAX);
    EXPECT_EQ(NumberFromText(L"2147483648"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"-2147483649"), kNoNumber);
    EXPECT_EQ(NumberFromText(L"99999999999999999999"), kNoNumber);
    EXPECT_EQ(NumberFromTextOrZero(L"99999999999999999999"), 0);
}

TEST(NumberText, UnpaddingDropsLeadingZerosAndTurnsNonNumbersIntoZero) {
    EXPECT_EQ(UnpaddedNumberText(L"0012"), L"12");
    EXPECT_EQ(UnpaddedNumberText(L"0000"), L"0");
    EXPECT_EQ(UnpaddedNumberText(L"2026"), L"2026");
    EXPECT_EQ(UnpaddedNumberText(L"-007"), L"-7");
    EXPECT_EQ(UnpaddedNumberText(L"abc"), L"0");
    EXPECT_EQ(UnpaddedNumberText(L""), L"0");
}

TEST(NumberText, PaddingFillsToTheMaximumLengthWithLeadingZeros) {
    EXPECT_EQ(PaddedNumberText(L"7", 4), L"0007");
    EXPECT_EQ(PaddedNumberText(L"12", 4), L"0012");
    EXPECT_EQ(PaddedNumberText(L"2026", 4), L"2026");
    EXPECT_EQ(PaddedNumberText(L"000012", 4), L"0012");
    // Longer numbers are never cut.
    EXPECT_EQ(PaddedNumberText(L"123456", 4), L"123456");
    EXPECT_EQ(PaddedNumberText(L"abc", 4), L"0000");
    EXPECT_EQ(PaddedNumberText(L"", 3), L"000");
}

TEST(NumberText, PaddingWithoutALengthLimitKeepsAtLeastOneDigit) {
    EXPECT_EQ(PaddedNumberText(L"12", 0), L"12");
    EXPECT_EQ(PaddedNumberText(L"0012", 0), L"12");
    EXPECT_EQ(PaddedNumberText(L"0", 0), L"0");
    EXPECT_EQ(PaddedNumberText(L"abc", 0), L"0");
    EXPECT_EQ(PaddedNumberText(L"5", -3), L"5");
    EXPECT_EQ(PaddedNumberText(L"5", INT_MIN), L"5");
}

TEST(NumberText, PaddingPutsTheSignBeforeTheZerosAndHandlesExtremes) {
    EXPECT_EQ(PaddedNumberText(L"-7", 4), L"-0007");
    EXPECT_EQ(PaddedNumberText(L"-2147483648", 4), L"-2147483648");
    EXPECT_EQ(PaddedNumberText(L"-2147483648", 12), L"-002147483648");
    EXPECT_EQ(PaddedNumberText(L"2147483647", 12), L"002147483647");

    // Far longer than any fixed buffer would be.
    std::wstring wide = PaddedNumberText(L"-42", 5000);
    ASSERT_EQ(wide.size(), 5001u);
    EXPECT_EQ(wide.front(), L'-');
    EXPECT_EQ(wide.substr(wide.size() - 3), L"042");
    EXPECT_EQ(NumberFromText(wide), -42);
}

}  // namespace
}  // namespace kiv
