#include <gtest/gtest.h>

#include "help/show_html.h"

namespace kiv {
namespace {

TEST(HtmlWindow, IsEightyBySeventyPercentOfTheMonitorWithHalvesToEven) {
    EXPECT_EQ(HtmlWindowSizeFor(1280, 1024), (HtmlWindowSize{1024, 717}));  // 716.8
    EXPECT_EQ(HtmlWindowSizeFor(1366, 768), (HtmlWindowSize{1093, 538}));   // 1092.8, 537.6
    // 717.5 and 724.5 are exact halves; 0.7 x 1025 in floating point is not.
    EXPECT_EQ(HtmlWindowSizeFor(1920, 1025).height, 718);
    EXPECT_EQ(HtmlWindowSizeFor(1920, 1035).height, 724);
    EXPECT_EQ(HtmlWindowSizeFor(5, 5), (HtmlWindowSize{4, 4}));  // 3.5 goes up to 4
    EXPECT_EQ(HtmlWindowSizeFor(0, 15).height, 10);              // 10.5 goes down to 10
}

TEST(HtmlWindow, RoundingToEvenAlsoHoldsBelowZero) {
    EXPECT_EQ(DivideRoundingToEven(-35, 10), -4);
    EXPECT_EQ(DivideRoundingToEven(-25, 10), -2);
    EXPECT_EQ(DivideRoundingToEven(-26, 10), -3);
}

TEST(HelpPage, LiesBesideTheProgramAndIsNamedInTheMessage) {
    EXPECT_EQ(HelpFilePath(L"C:\\Program Files\\Kiv Calendar\\KivCalendar.exe"),
              L"C:\\Program Files\\Kiv Calendar\\Help.html");
    EXPECT_EQ(HelpFilePath(L"KivCalendar.exe"), L"Help.html");
    EXPECT_EQ(HelpCaption(), L"Kiv Calendar Help");
    EXPECT_EQ(MissingFileMessage(L"C:\\Kiv\\Help.html"), L"Couldn't find the file C:\\Kiv\\Help.html");
}

}  // namespace
}  // namespace kiv
