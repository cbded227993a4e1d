// With only the calendar shown (no frame, menu or toolbar), a quiet start
// still has to put the window up once and take it down at the first idle
// moment; a normal start keeps it, and Alt+X still ends the program.
#include "program_test.h"

namespace kiv::e2e {
namespace {

constexpr wchar_t kShowOnlyCalendar[] = L"Show only calendar";

class BorderlessStartTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (!HasFatalFailure()) storeFlag(kShowOnlyCalendar, true);
    }
};

TEST_F(BorderlessStartTest, QuietStartShowsTheWindowOnceThenHidesIt) {
    const DWORD id = driver_->start(L"-quiet");
    HWND window = nullptr;
    bool wasShown = false;
    // Polled without a pause: the window is up only until the loop first idles.
    WaitUntil(
        [&] {
            for (int i = 0; i < 200 && !wasShown; ++i) {
                if (!window) window = FindProcessWindow(id, kMainWindowClass);
                wasShown = window && IsWindowVisible(window);
            }
            return wasShown || !driver_->isRunning(id);
        },
        kStartTimeout);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(wasShown) << "the window never came up";
    EXPECT_TRUE(becomesHidden(window));
    EXPECT_TRUE(settlesHidden(window));
    EXPECT_TRUE(driver_->isRunning(id));

    // Hidden that way, it comes back for a second start like any hidden window.
    startSecondCopy(L"");
    EXPECT_TRUE(becomesVisible(window));
    EXPECT_TRUE(settlesShown(window));
}

TEST_F(BorderlessStartTest, NormalStartStaysShownAndAltXEndsIt) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    EXPECT_TRUE(settlesShown(window));
    EXPECT_EQ(GetMenu(window), nullptr) << "the borderless window has a menu bar";

    TypeAltKey(window, 'X');

    DWORD exitCode = STILL_ACTIVE;
    EXPECT_TRUE(driver_->waitForExit(id, kReactionTimeout, &exitCode)) << "Alt+X did not end the program";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace kiv::e2e
