#include "app/screen_geometry.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TaskbarMargins, FollowTheTaskbarsEdge) {
    // Bottom: only its height is kept free.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{0, 1040, 1920, 1080}), (TaskbarMargins{0, 40, 0, 0}));
    // Top: a window as tall as the usable height starts below it.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{0, 0, 1920, 40}), (TaskbarMargins{0, 40, 0, 40}));
    // Left: a window as wide as the usable width starts right of it.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{0, 0, 62, 1080}), (TaskbarMargins{62, 0, 62, 0}));
    // Right.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{1858, 0, 1920, 1080}), (TaskbarMargins{62, 0, 0, 0}));
    // Auto-hidden taskbars sit partly off screen: the edge test is <= 0.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{-2, -2, 1922, 38}), (TaskbarMargins{0, 40, 0, 38}));
    // A square one counts as vertical.
    EXPECT_EQ(ComputeTaskbarMargins(Rect{0, 0, 50, 50}), (TaskbarMargins{50, 0, 50, 0}));
    // None found: 30 pixels at the bottom stay free.
    EXPECT_EQ(ComputeTaskbarMargins(std::nullopt), (TaskbarMargins{0, 30, 0, 0}));
}

FitInput Input(int cw, int ch, int toolbar, TaskbarMargins taskbar = {0, 40, 0, 0}) {
    FitInput in;
    in.calendarWidth = cw;
    in.calendarHeight = ch;
    in.toolbarHeight = toolbar;
    in.horzScrollBar = 16;
    in.vertScrollBar = 16;
    in.frameWidth = 6;
    in.frameHeight = 48;
    in.monitor = Rect{0, 0, 1280, 1024};
    in.taskbar = taskbar;
    return in;
}

TEST(FitWindow, AWindowThatFitsIsSizedToTheCalendarAndCentred) {
    const FitResult r = FitWindowToCalendar(Input(736, 476, 28));
    EXPECT_EQ(r.clientWidth, 736);
    EXPECT_EQ(r.clientHeight, 504);
    EXPECT_EQ(r.window, (Rect{(1280 - 742) / 2, (1024 - 552) / 2, (1280 - 742) / 2 + 742, (1024 - 552) / 2 + 552}));
}

TEST(FitWindow, ATooWideWindowGetsTheUsableWidthAndRoomForTheScrollBar) {
    const FitResult r = FitWindowToCalendar(Input(2208, 170, 28, {62, 0, 62, 0}));
    EXPECT_EQ(r.window.width(), 1280 - 62);
    EXPECT_EQ(r.window.left, 62);
    EXPECT_EQ(r.clientHeight, 170 + 28 + 16);
    EXPECT_EQ(r.window.top, (1024 - (214 + 48)) / 2);
}

TEST(FitWindow, ATooTallWindowGetsTheUsableHeightAndRoomForTheScrollBar) {
    const FitResult r = FitWindowToCalendar(Input(184, 1848, 0, {0, 40, 0, 40}));
    EXPECT_EQ(r.window.height(), 1024 - 40);
    EXPECT_EQ(r.window.top, 40);
    EXPECT_EQ(r.clientWidth, 184 + 16);
    EXPECT_EQ(r.window.left, (1280 - 206) / 2);
}

TEST(FitWindow, TooLargeBothWaysFillsTheUsableArea) {
    const FitResult r = FitWindowToCalendar(Input(3000, 3000, 28, {0, 40, 0, 0}));
    EXPECT_EQ(r.window, (Rect{0, 0, 1280, 984}));
}

TEST(FitWindow, ExactlyTheUsableWidthIsPlacedAtTheFitEdgeNotCentred) {
    const FitResult r = FitWindowToCalendar(Input(1280 - 62 - 6, 300, 0, {62, 0, 62, 0}));
    EXPECT_EQ(r.window.width(), 1280 - 62);
    EXPECT_EQ(r.window.left, 62);
}

TEST(FitWindow, CentresOnTheMonitorTheWindowIsOn) {
    FitInput in = Input(736, 476, 28);
    in.monitor = Rect{1280, 0, 2560, 1024};
    const FitResult r = FitWindowToCalendar(in);
    EXPECT_EQ(r.window.left, 1280 + (1280 - 742) / 2);
}

}  // namespace
}  // namespace kiv
