// A second start never runs: it brings the running copy's window forward,
// from behind another window or out of hiding, and ends.
#include "program_test.h"

namespace kiv::e2e {
namespace {

using SingleInstanceTest = ProgramTest;

bool IsForward(HWND window) {
    return WaitUntil([window] { return IsWindowVisible(window) && GetForegroundWindow() == window; },
                     kReactionTimeout);
}

TEST_F(SingleInstanceTest, SecondStartBringsTheShownWindowToTheFront) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    ForegroundDecoy other;
    ASSERT_EQ(GetForegroundWindow(), other.hwnd()) << "the test could not put another window in front";

    startSecondCopy(L"");

    EXPECT_TRUE(IsForward(window));
    EXPECT_EQ(driver_->runningCopies(), 1);
}

TEST_F(SingleInstanceTest, SecondStartShowsTheWindowHiddenByTheCloseBox) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(becomesHidden(window));

    // The log-on entry starts the program with the switch; a copy already
    // running must still come forward.
    startSecondCopy(L"-quiet");

    EXPECT_TRUE(IsForward(window));
    EXPECT_EQ(driver_->runningCopies(), 1);
}

TEST_F(SingleInstanceTest, SecondStartShowsTheWindowOfAQuietStart) {
    HWND window = startFirst(L"-QUIET");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(staysHidden(window, 500ms));

    startSecondCopy(L"");

    EXPECT_TRUE(IsForward(window));
    EXPECT_EQ(driver_->runningCopies(), 1);
    // Shown once, the window goes on behaving as usual: the close box hides it again.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(becomesHidden(window));
    startSecondCopy(L"");
    EXPECT_TRUE(IsForward(window));
}

}  // namespace
}  // namespace kiv::e2e
