#include "calendar/year_size.h"

#include <gtest/gtest.h>

#include "calendar/calendar_errors.h"

namespace kiv {
namespace {

TEST(YearSize, EveryColumnCountLaysOutTwelvePanes) {
    const int monthWidth = 178;
    const int monthHeight = 155;
    struct Case {
        int columns, rows, width, height;
    };
    // width = N * (w + 6); height = R * (h - 11) + 17
    for (const Case c : {Case{1, 12, 184, 1745}, Case{2, 6, 368, 881}, Case{3, 4, 552, 593}, Case{4, 3, 736, 449},
                         Case{6, 2, 1104, 305}, Case{12, 1, 2208, 161}}) {
        SCOPED_TRACE(c.columns);
        EXPECT_EQ(c.columns * YearRows(c.columns), 12);
        EXPECT_EQ(YearRows(c.columns), c.rows);
        EXPECT_EQ(YearSizeFor(c.columns, monthWidth, monthHeight), (YearSize{c.width, c.height}));
    }
}

TEST(YearSize, FollowsTheMeasuredMonthSize) {
    // A larger font makes a larger month; the gaps and the today line stay.
    EXPECT_EQ(YearSizeFor(4, 200, 170), (YearSize{824, 494}));
    EXPECT_EQ(YearSizeFor(1, 11, 11), (YearSize{17, 17}));
}

TEST(YearSize, ColumnCountsThatDoNotDivideTheYearAreRejected) {
    for (int columns : {0, 5, 7, 8, 9, 10, 11, 13, 24, -1, -12}) {
        SCOPED_TRACE(columns);
        EXPECT_FALSE(IsValidColumns(columns));
        try {
            CheckColumns(columns);
            ADD_FAILURE() << "accepted";
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Invalid value for columns");
        }
        EXPECT_THROW(YearSizeFor(columns, 178, 155), std::range_error);
    }
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(YearSize, MeasuredPanesFitExactlyWithAnEvenMarginAtEveryDpi) {
    // The first two as Wine's control reports them at 96 DPI; larger panes
    // with the same gap, as at higher DPIs.
    struct Case {
        PaneLayout panes;
        int margin, columns;
        bool today;
        YearSize size;
    };
    for (const Case c : {Case{{252, 136, 6, 6, 16}, 3, 4, false, {1032, 426}},
                         Case{{252, 136, 6, 6, 16}, 3, 1, true, {258, 1720}},
                         Case{{371, 200, 6, 6, 24}, 4, 3, false, {1133, 826}},
                         Case{{490, 266, 6, 6, 31}, 6, 12, false, {5958, 278}}}) {
        SCOPED_TRACE(c.columns);
        EXPECT_TRUE(IsPlausible(c.panes));
        EXPECT_EQ(YearSizeFor(c.columns, c.panes, c.today, c.margin), c.size);
    }
    // A control that answered nothing sensible is not believed.
    EXPECT_FALSE(IsPlausible(PaneLayout{}));
    EXPECT_FALSE(IsPlausible(PaneLayout{252, 136, 100, 6, 16}));
    EXPECT_THROW(YearSizeFor(5, PaneLayout{252, 136, 6, 6, 16}, false, 3), std::range_error);
}

}  // namespace
}  // namespace kiv
