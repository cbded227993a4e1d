#include <gtest/gtest.h>

#include <climits>

#include "app/print_layout.h"
#include "widgets/error_text.h"

namespace kiv {
namespace {

TEST(PrintLayout, DocumentNameCarriesTheColumnCount) {
    EXPECT_EQ(PrintDocumentName(4), L"Kiv Calendar - 4 columns");
    EXPECT_EQ(PrintDocumentName(12), L"Kiv Calendar - 12 columns");
}

TEST(PrintLayout, MulDivRoundsHalvesAwayFromZeroAndFlagsWhatDoesNotFit) {
    EXPECT_EQ(MulDivRounded(758, 300, 96), 2369);   // 2368.75
    EXPECT_EQ(MulDivRounded(758, 600, 96), 4738);   // 4737.5
    EXPECT_EQ(MulDivRounded(-758, 600, 96), -4738);
    EXPECT_EQ(MulDivRounded(758, 600, -96), -4738);
    EXPECT_EQ(MulDivRounded(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // the product needs 64 bits
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(5, 3, 0), -1);
}

TEST(PrintLayout, ImageKeepsItsSizeInInchesOnThePrinter) {
    // 758 x 480 window pixels at 96 dpi are 7.9 x 5 inches.
    EXPECT_EQ(ScaleToPrinter(758, 480, 300, 300, 96), (PrintedSize{2369, 1500}));
    EXPECT_EQ(ScaleToPrinter(758, 480, 600, 600, 96), (PrintedSize{4738, 3000}));
    EXPECT_EQ(ScaleToPrinter(758, 480, 600, 300, 96), (PrintedSize{4738, 1500}));
    // A window on a 144-dpi monitor has more pixels for the same inches.
    EXPECT_EQ(ScaleToPrinter(1137, 720, 300, 300, 144), (PrintedSize{2369, 1500}));
}

TEST(ErrorText, FullStopIsAddedUnlessTheLastCharacterSortsAtOrBelowIt) {
    EXPECT_EQ(WithFullStop(L"x"), L"x.");
    EXPECT_EQ(WithFullStop(L"There is no default printer currently selected"),
              L"There is no default printer currently selected.");
    for (const wchar_t* kept : {L"x.", L"x!", L"x)", L"x,", L"x ", L""}) EXPECT_EQ(WithFullStop(kept), kept);
    EXPECT_EQ(WithFullStop(L"x/"), L"x/.");  // '/' sorts just above '.'
}

}  // namespace
}  // namespace kiv
