// The program in the notification area, driven with real mouse clicks.
// Under a bare X server Wine keeps the icons in a window of its own, "Wine
// System Tray", one child window per icon; xdotool clicks on it as a user
// would, and Wine hands the clicks to the program as Windows does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "program_test.h"

namespace kiv::e2e {
namespace {

std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    if (!tray) return icons;
    EnumChildWindows(
        tray,
        [](HWND h, LPARAM lp) noexcept -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(h, name, 64);
            if (std::wstring_view(name).ends_with(L"tray_icon") && IsWindowVisible(h))
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icons));
    return icons;
}

bool HasTrayIcon(HWND icon) {
    const std::vector<HWND> icons = TrayIcons();
    return std::find(icons.begin(), icons.end(), icon) != icons.end();
}

// The icon that was not there before: the program's. Icons of copies that
// were killed may still stand in the tray until the mouse passes them.
HWND WaitForNewTrayIcon(const std::vector<HWND>& before) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND h : TrayIcons())
                if (std::find(before.begin(), before.end(), h) == before.end()) found = h;
            return found != nullptr;
        },
        kStartTimeout);
    return found;
}

void ClickAt(POINT at, int button, int times = 1) {
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click --repeat " +
            std::to_string(times) + " --delay 120 " + std::to_string(button)));
}

POINT Centre(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// Two clicks further apart than this are two single clicks.
void PauseBetweenClicks() { std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 300)); }

class TrayTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (!HaveXdotool()) GTEST_SKIP() << "needs xdotool and Wine's own tray window";
    }

    // Starts the program and waits for its main window and its tray icon.
    void start(const std::wstring& arguments) {
        const std::vector<HWND> before = TrayIcons();
        window = startFirst(arguments, &id);
        ASSERT_NE(window, nullptr);
        icon = WaitForNewTrayIcon(before);
        ASSERT_NE(icon, nullptr) << "no tray icon turned up";
    }

    // Opens the icon's menu and clicks its first or its last item.
    void chooseFromMenu(bool first) {
        ClickAt(Centre(icon), 3);
        // A closed menu's window may linger hidden.
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = FindProcessWindow(id, L"#32768", true)) != nullptr; },
                              kReactionTimeout))
            << "no menu";
        RECT rc{};
        GetWindowRect(menu, &rc);
        // Items are at least 16 pixels high inside a thin border.
        ClickAt({rc.left + 24, first ? rc.top + 10 : rc.bottom - 10}, 1);
    }

    // Opens the icon's menu and chooses an item by its underlined letter.
    void chooseFromMenu(const char* letter) {
        ClickAt(Centre(icon), 3);
        ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(id, L"#32768", true) != nullptr; }, kReactionTimeout))
            << "no menu";
        ASSERT_TRUE(Xdotool(std::string("key ") + letter));
    }

    DWORD id = 0;
    HWND window = nullptr;
    HWND icon = nullptr;
};

TEST_F(TrayTest, AQuietStartShowsOnlyTheIcon) {
    start(L"-quiet");
    EXPECT_TRUE(settlesHidden(window));
    EXPECT_TRUE(HasTrayIcon(icon));
}

TEST_F(TrayTest, ADoubleClickShowsTheHiddenWindow) {
    start(L"-quiet");
    ClickAt(Centre(icon), 1, 2);
    EXPECT_TRUE(becomesVisible(window));
    // Shown, a double click leaves it shown.
    PauseBetweenClicks();
    ClickAt(Centre(icon), 1, 2);
    EXPECT_TRUE(staysShown(window, 1s));
}

TEST_F(TrayTest, ASingleClickDoesNothingToAHiddenWindowUnlessChosen) {
    start(L"-quiet");
    ClickAt(Centre(icon), 1);
    EXPECT_TRUE(staysHidden(window, 1500ms));
}

TEST_F(TrayTest, WithSingleClickChosenOneClickShowsAndTheNextHides) {
    storeFlag(L"Single click", true);
    start(L"-quiet");
    ClickAt(Centre(icon), 1);
    EXPECT_TRUE(becomesVisible(window));
    PauseBetweenClicks();
    ClickAt(Centre(icon), 1);
    EXPECT_TRUE(becomesHidden(window));
    EXPECT_TRUE(HasTrayIcon(icon));
}

TEST_F(TrayTest, TheMenusShowAndExitWorkAndExitLeavesNothingBehind) {
    start(L"-quiet");
    chooseFromMenu(true);
    EXPECT_TRUE(becomesVisible(window)) << "Show did not show the window";

    // Right after a menu closes Wine's tray passes on the pointer's moves but
    // not yet its buttons; a user's next click comes later than that.
    PauseBetweenClicks();
    chooseFromMenu(false);
    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(driver_->waitForExit(id, kStartTimeout, &exitCode)) << "Exit did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(HasTrayIcon(icon)) << "the icon outlived the program";
    EXPECT_EQ(driver_->runningCopies(), 0);
}

TEST_F(TrayTest, TheMenusAboutAndOptionsOpenTheirBoxesOverTheHiddenWindow) {
    start(L"-quiet");
    chooseFromMenu("a");
    HWND about = WaitForDialog(id, L"About", kReactionTimeout);
    ASSERT_NE(about, nullptr) << "About opened no box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr) << "over a hidden window the box stands on its own";
    EXPECT_NE(DialogText(about).find(L"Version 2.42\n"), std::wstring::npos);
    TypeKeys(about, {}, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, kReactionTimeout)) << "Esc did not close the box";

    PauseBetweenClicks();
    chooseFromMenu("o");
    HWND options = WaitForDialog(id, L"Options", kReactionTimeout);
    ASSERT_NE(options, nullptr) << "Options opened no dialog";
    TypeKeys(options, {}, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, kReactionTimeout));
    EXPECT_TRUE(settlesHidden(window));
}

// Without a window manager Wine leaves the caption to it, so there is no
// close box to click: the window gets the command the close box gives.
TEST_F(TrayTest, TheCloseBoxHidesTheWindowAndKeepsTheIcon) {
    start(L"");
    ASSERT_TRUE(becomesVisible(window));
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(becomesHidden(window));
    EXPECT_TRUE(driver_->isRunning(id));
    EXPECT_TRUE(HasTrayIcon(icon));
}

}  // namespace
}  // namespace kiv::e2e
