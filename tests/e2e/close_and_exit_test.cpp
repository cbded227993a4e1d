// The close box and Alt+F4 only hide the window; Alt+X ends the program and
// frees the single-instance mutex for the next start.
#include "program_test.h"

namespace kiv::e2e {
namespace {

using CloseAndExitTest = ProgramTest;

TEST_F(CloseAndExitTest, CloseBoxHidesTheWindowAndTheProgramKeepsRunning) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);

    EXPECT_TRUE(becomesHidden(window));
    EXPECT_FALSE(driver_->waitForExit(id, 1s)) << "the close box ended the program";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(instanceMutexExists());
}

TEST_F(CloseAndExitTest, AltF4HidesTheWindowAndTheProgramKeepsRunning) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    TypeAltKey(window, VK_F4);

    EXPECT_TRUE(becomesHidden(window));
    EXPECT_FALSE(driver_->waitForExit(id, 1s)) << "Alt+F4 ended the program";
}

TEST_F(CloseAndExitTest, MinimiseStillMinimisesInsteadOfHiding) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);

    EXPECT_TRUE(WaitUntil([window] { return IsIconic(window) != FALSE; }, kReactionTimeout));
    EXPECT_TRUE(IsWindowVisible(window)) << "minimising hid the window";
    EXPECT_TRUE(driver_->isRunning(id));
}

TEST_F(CloseAndExitTest, AltXEndsTheProgramAndTheNextStartRunsAsFirstCopy) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    ASSERT_TRUE(instanceMutexExists());

    const KeyRoute route = TypeAltKey(window, 'X');
    RecordProperty("key_route", route == KeyRoute::Input ? "SendInput" : "posted messages");

    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(driver_->waitForExit(id, kReactionTimeout, &exitCode)) << "Alt+X did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(instanceMutexExists()) << "the mutex outlived the program";
    EXPECT_EQ(driver_->runningCopies(), 0);

    DWORD nextId = 0;
    HWND next = startFirst(L"", &nextId);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(becomesVisible(next));
    EXPECT_FALSE(driver_->waitForExit(nextId, 500ms)) << "the next start did not stay";
    EXPECT_TRUE(instanceMutexExists());
}

}  // namespace
}  // namespace kiv::e2e
