// Tab and Shift+Tab move the keyboard between the year box, the go button
// and the calendar, as in a dialog.
#include "calendar_probe.h"
#include "program_test.h"

#include <commctrl.h>

namespace kiv::e2e {
namespace {

using TabOrderTest = ProgramTest;

TEST_F(TabOrderTest, TabTakesTheTypingOutOfTheYearBoxAndOnAround) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    const CalendarProbe probe(window);
    HWND yearBox = probe.yearBoxControl();
    ASSERT_NE(yearBox, nullptr);
    ClickWindow(yearBox);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(window) == yearBox; }, kReactionTimeout));
    SendMessageW(yearBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));

    const KeyRoute route = TypeSequence(window, {'2', '0', VK_TAB, '3', '1'});
    RecordProperty("key_route", route == KeyRoute::Input ? "SendInput" : "posted messages");

    EXPECT_EQ(Narrow(probe.yearBox()), "20");
    EXPECT_EQ(FocusedWindow(window), FindVisibleChild(window, TOOLBARCLASSNAMEW)) << "not on the go button";
    TypeSequence(window, {VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return probe.hasFocus(); }, kReactionTimeout));
    TypeSequence(window, {VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(window) == yearBox; }, kReactionTimeout));
}

}  // namespace
}  // namespace kiv::e2e
