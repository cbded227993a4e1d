#include "calendar/date_time.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(DateTime, KnownDayNumbersMatchTheLibraryEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1753, 1, 1), -53688.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST(DateTime, DecodeIsTheInverseOfEncodeAcrossTheWholeRange) {
    for (int year : {1, 4, 100, 1600, 1700, 1752, 1753, 1900, 2000, 2024, 2026, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                CivilDate expected{year, month, day};
                ASSERT_EQ(DecodeDate(EncodeDate(year, month, day)), expected) << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(DateTime, FebruaryFollowsTheGregorianLeapRule) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
    EXPECT_FALSE(TryEncodeDate(2026, 2, 29));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1));
    EXPECT_THROW(EncodeDate(2026, 4, 31), std::invalid_argument);
}

TEST(DateTime, TimeOfDayIsDroppedByDateOfAndIgnoredByDecode) {
    TDateTime noon = EncodeDate(2026, 12, 8) + 0.5;
    EXPECT_EQ(DateOf(noon), EncodeDate(2026, 12, 8));
    EXPECT_EQ(DecodeDate(noon), (CivilDate{2026, 12, 8}));
}

}  // namespace
}  // namespace kiv
