// The global hot key pressed on the keyboard while another program's window
// is in front. Under Wine a key reaches the window system only while one of
// its windows has the X keyboard focus; there the stored combination is
// found among the keys pressed, as Windows finds it.
#include "program_test.h"

namespace kiv::e2e {
namespace {

class HotKeyTest : public ProgramTest {
protected:
    // Ctrl+Alt+C, typed into the other window.
    static void PressHotKey(HWND other) {
        if (HaveXdotool()) {
            // Through the X server, as a keyboard types it.
            ASSERT_TRUE(Xdotool("search --name ^Another.program$ windowfocus --sync key ctrl+alt+c"));
        } else {
            ASSERT_EQ(TypeKeys(other, {VK_CONTROL, VK_MENU}, 'C'), KeyRoute::Input);
        }
    }
};

TEST_F(HotKeyTest, TheStoredCombinationShowsAndHidesTheWindowAsASingleClickWould) {
    storeFlag(L"Use hotkey", true);  // the default Ctrl+Alt+C
    storeFlag(L"Single click", true);
    HWND window = startFirst(L"-quiet");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(staysHidden(window, 500ms));
    ForegroundDecoy other;
    PressHotKey(other.hwnd());
    EXPECT_TRUE(becomesVisible(window)) << "the hot key did not show the window";
    PressHotKey(other.hwnd());
    EXPECT_TRUE(becomesHidden(window)) << "the hot key did not hide the window";
}

}  // namespace
}  // namespace kiv::e2e
