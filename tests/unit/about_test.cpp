#include <gtest/gtest.h>

#include <stdexcept>

#include "help/about.h"

namespace kiv {
namespace {

TEST(AboutBox, VersionHasATwoDigitMinorAndItsSuffix) {
    EXPECT_EQ(AboutVersionText(kAboutVersion), L"Version 2.42");
    EXPECT_EQ(AboutVersionText({2, 5, L"", L""}), L"Version 2.05");
    EXPECT_EQ(AboutVersionText({3, 0, L" beta", L""}), L"Version 3.00 beta");
    EXPECT_EQ(AboutVersionText({10, 123, L"", L""}), L"Version 10.123");
}

TEST(AboutBox, AuthorLineCarriesTheYearsAndTheFieldsOpenTheirAddresses) {
    EXPECT_EQ(AboutAuthorText(kAboutVersion), L"Copyright \u00A9 2008-2026 Kiv Soft");
    EXPECT_EQ(MailtoLink(kAboutEmail), L"mailto:kiv@kivsoft.example");
}

TEST(AboutBox, FormatTakesItsArgumentsInOrderAndRefusesAMismatch) {
    EXPECT_EQ(FormatAboutText(L"%s: %.3d%% of %d", {L"done", 7LL, -12LL}), L"done: 007% of -12");
    EXPECT_EQ(FormatAboutText(L"%.2d", {-5LL}), L"-05");
    EXPECT_THROW(FormatAboutText(L"%d", {L"text"}), std::invalid_argument);
    EXPECT_THROW(FormatAboutText(L"%s and %s", {L"one"}), std::invalid_argument);
    EXPECT_THROW(FormatAboutText(L"50%", {}), std::invalid_argument);
}

}  // namespace
}  // namespace kiv
