// Tab and Shift+Tab move the keyboard between the year box, the go button
// and the calendar, as in a dialog.
#include "program_test.h"

#include <string>

namespace kiv::e2e {
namespace {

using TabOrderTest = ProgramTest;

// The toolbar's year box: the one edit that is not read-only.
HWND FindYearBox(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) noexcept -> BOOL {
            wchar_t name[16]{};
            GetClassNameW(child, name, 16);
            if (lstrcmpiW(name, L"Edit") != 0 || (GetWindowLongPtrW(child, GWL_STYLE) & ES_READONLY)) return TRUE;
            *reinterpret_cast<HWND*>(lp) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TextOf(HWND control) {
    wchar_t text[32]{};
    SendMessageW(control, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64]{};
    if (window) GetClassNameW(window, name, 64);
    return name;
}

TEST_F(TabOrderTest, TabTakesTheTypingOutOfTheYearBoxAndOnAround) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    HWND yearBox = FindYearBox(window);
    ASSERT_NE(yearBox, nullptr);
    ClickWindow(yearBox);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(window) == yearBox; }, kReactionTimeout));
    SendMessageW(yearBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));

    const KeyRoute route = TypeSequence(window, {'2', '0', VK_TAB, '3', '1'});
    RecordProperty("key_route", route == KeyRoute::Input ? "SendInput" : "posted messages");

    EXPECT_EQ(Narrow(TextOf(yearBox)), "20");
    EXPECT_EQ(Narrow(ClassOf(FocusedWindow(window))), "ToolbarWindow32") << "the go button's bar";
    TypeSequence(window, {VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return ClassOf(FocusedWindow(window)) == L"SysMonthCal32"; }, kReactionTimeout));
    TypeSequence(window, {VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(window) == yearBox; }, kReactionTimeout));
}

}  // namespace
}  // namespace kiv::e2e
