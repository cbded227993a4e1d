#include "calendar/month_cal_colors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace kiv {
namespace {

TEST(MonthCalColors, DefaultsFollowTheSystemWhereTheyShould) {
    TMonthCalColors colors;
    EXPECT_EQ(colors.BackColor(), SystemColor(syscolor::Window));
    EXPECT_EQ(colors.TextColor(), SystemColor(syscolor::WindowText));
    EXPECT_EQ(colors.TitleBackColor(), SystemColor(syscolor::ActiveCaption));
    EXPECT_EQ(colors.TitleTextColor(), kWhite);
    EXPECT_EQ(colors.MonthBackColor(), kWhite);
    EXPECT_EQ(colors.TrailingTextColor(), SystemColor(syscolor::InactiveCaptionText));
    // By index in the same order the settings store them.
    EXPECT_EQ(colors.Get(0), colors.BackColor());
    EXPECT_EQ(colors.Get(5), colors.TrailingTextColor());
}

TEST(MonthCalColors, EverySetReachesTheSinkAtOnce) {
    TMonthCalColors colors;
    std::vector<std::pair<int, TColor>> sent;
    colors.SetSink([&](int index, TColor color) { sent.emplace_back(index, color); });

    colors.Set(3, 0x00123456u);
    colors.SetTrailingTextColor(SystemColor(syscolor::AppWorkspace));
    colors.SetBackColor(kBlack);
    EXPECT_EQ(sent, (std::vector<std::pair<int, TColor>>{
                        {3, 0x00123456u}, {5, SystemColor(syscolor::AppWorkspace)}, {0, kBlack}}));
    EXPECT_EQ(colors.TitleTextColor(), 0x00123456u);

    // Through a reference, as the settings hold it.
    TMonthCalColors& shared = colors;
    shared.Set(1, kWhite);
    EXPECT_EQ(colors.TextColor(), kWhite);
    EXPECT_EQ(sent.back(), (std::pair<int, TColor>{1, kWhite}));
}

TEST(MonthCalColors, IndexesOutsideTheSixFailWithoutChangingAnything) {
    TMonthCalColors colors;
    int calls = 0;
    colors.SetSink([&](int, TColor) { ++calls; });
    for (int index : {-1, 6, 100}) {
        EXPECT_THROW(colors.Get(index), std::out_of_range);
        EXPECT_THROW(colors.Set(index, kBlack), std::out_of_range);
    }
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(colors.BackColor(), SystemColor(syscolor::Window));
}

TEST(MonthCalColors, ACopyKeepsTheColoursButNotTheControl) {
    TMonthCalColors live;
    int liveCalls = 0;
    live.SetSink([&](int, TColor) { ++liveCalls; });
    live.SetMonthBackColor(0x00ABCDEFu);
    liveCalls = 0;

    TMonthCalColors edited(live);  // e.g. a dialog's working copy
    EXPECT_EQ(edited.MonthBackColor(), 0x00ABCDEFu);
    edited.SetTitleBackColor(kBlack);
    EXPECT_EQ(liveCalls, 0);

    live = edited;  // taking the edits back updates the control for each colour
    EXPECT_EQ(liveCalls, TMonthCalColors::kCount);
    EXPECT_EQ(live.TitleBackColor(), kBlack);
}

}  // namespace
}  // namespace kiv
