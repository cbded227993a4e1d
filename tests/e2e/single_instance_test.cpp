// A second start never runs: it brings the running copy's window forward,
// from behind another window or out of hiding, and ends.
#include "program_test.h"

namespace kiv::e2e {
namespace {

using SingleInstanceTest = ProgramTest;

bool HasKeyboardFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
    return info.hwndFocus == window || IsChild(window, info.hwndFocus);
}

// Forward means shown, in front and ready for the keyboard, so that the user
// can go on typing. Under Wine without a window manager, mapping a window
// again that was unmapped waits up to two seconds for the window manager's
// answer; the reaction timeout leaves room for that.
bool IsForward(HWND window) {
    return WaitUntil(
        [window] {
            return IsWindowVisible(window) && GetForegroundWindow() == window && HasKeyboardFocus(window);
        },
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

TEST_F(SingleInstanceTest, SecondStartShowsTheWindowHiddenByTheCloseBoxOrACloseFromOutside) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    // The close box, and the WM_CLOSE that "End task" and taskkill send.
    const struct {
        UINT msg;
        WPARAM wp;
    } closes[] = {{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
    for (const auto& close : closes) {
        PostMessageW(window, close.msg, close.wp, 0);
        ASSERT_TRUE(becomesHidden(window)) << close.msg;
        ASSERT_TRUE(driver_->isRunning(id)) << close.msg;

        // The log-on entry starts the program with the switch; a copy already
        // running must still come forward.
        startSecondCopy(L"-quiet");

        EXPECT_TRUE(IsForward(window)) << close.msg;
        EXPECT_EQ(driver_->runningCopies(), 1);
    }
}

TEST_F(SingleInstanceTest, SecondStartShowsTheWindowOfAQuietStart) {
    HWND window = startFirst(L"-QUIET");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(settlesHidden(window));

    startSecondCopy(L"");

    EXPECT_TRUE(IsForward(window));
    EXPECT_EQ(driver_->runningCopies(), 1);
    // Shown once, the window goes on behaving as usual: the close box hides it again.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(becomesHidden(window));
    startSecondCopy(L"");
    EXPECT_TRUE(IsForward(window));
}

// The later start may come before the earlier one has a window to find; it
// must give up and end all the same rather than wait or run as well.
TEST_F(SingleInstanceTest, TwoStartsAtOnceLeaveOneRunningCopy) {
    const DWORD first = driver_->start(L"");
    const DWORD second = driver_->start(L"");

    ASSERT_TRUE(WaitUntil([&] { return !driver_->isRunning(first) || !driver_->isRunning(second); }, 10s))
        << "both copies kept running";
    const DWORD survivor = driver_->isRunning(first) ? first : second;
    HWND window = driver_->waitForWindow(survivor, kStartTimeout);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(becomesVisible(window));
    EXPECT_TRUE(driver_->isRunning(survivor));
    EXPECT_EQ(driver_->runningCopies(), 1);
}

}  // namespace
}  // namespace kiv::e2e
