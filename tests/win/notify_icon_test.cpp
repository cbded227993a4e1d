// The tray icon component on its own, under a plain parent window: its
// events, its calls to the shell, and its menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/test_support_win.h"
#include "tests/win/tray_test_support_win.h"
#include "trayicon/notify_icon_win.h"

namespace kiv {
namespace {

using test::ShellHasIcon;
using test::ShellRecorder;

class NotifyIconTest : public testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"tray test", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        sample.reset(static_cast<HICON>(CopyImage(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), IMAGE_ICON, 16, 16, 0)));
    }
    void TearDown() override {
        icon.reset();
        DestroyWindow(parent);
    }
    // As a form reads it: created, its properties set, then loaded.
    void Make(bool visible, bool loaded = true) {
        icon = std::make_unique<TNotifyIcon>();
        icon->Create(parent);
        icon->SetVisible(visible);
        icon->SetIcon(sample.get());
        if (loaded) icon->Loaded();
    }
    LRESULT Callback(LPARAM code) {
        return SendMessageW(icon->MsgWindow().hwnd(), TMsgWindow::kCallbackMessage, 0, code);
    }

    HWND parent = nullptr;
    UniqueIcon sample;
    std::unique_ptr<TNotifyIcon> icon;
};

TEST_F(NotifyIconTest, CallbacksRaiseTheirEventsWithTheMessageWindowAsSender) {
    ShellRecorder shell;
    Make(true);
    std::vector<std::pair<std::string, const void*>> raised;
    auto record = [&raised](const char* name) { return [&raised, name](const void* s) { raised.emplace_back(name, s); }; };
    icon->OnMouseMove = record("move");
    icon->OnClick = record("click");
    icon->OnDblClick = record("dblclick");
    icon->OnBalloonShow = record("balloon show");
    icon->OnBalloonHide = record("balloon hide");
    icon->OnBalloonTimeout = record("balloon timeout");
    icon->OnBalloonClick = record("balloon click");
    const std::pair<LPARAM, const char*> table[] = {
        {WM_MOUSEMOVE, "move"},       {WM_LBUTTONDOWN, "click"},       {WM_LBUTTONDBLCLK, "dblclick"},
        {0x402, "balloon show"},      {0x403, "balloon hide"},         {0x404, "balloon timeout"},
        {0x405, "balloon click"},     {WM_LBUTTONUP, nullptr},         {WM_RBUTTONDOWN, nullptr},
        {WM_MBUTTONDOWN, nullptr},    {WM_RBUTTONDBLCLK, nullptr},     {WM_CONTEXTMENU, nullptr},
    };
    for (const auto& [code, name] : table) {
        raised.clear();
        Callback(code);
        if (!name) {
            EXPECT_TRUE(raised.empty()) << std::hex << code;
            continue;
        }
        ASSERT_EQ(raised.size(), 1u) << name;
        EXPECT_EQ(raised[0].first, name);
        EXPECT_EQ(raised[0].second, &icon->MsgWindow()) << name;
    }
    EXPECT_EQ(shell.count, 1) << "events never call the shell";
}

TEST_F(NotifyIconTest, ReadFromAFormTheIconIsAddedOnceAfterLoading) {
    ShellRecorder shell;
    Make(true, false);
    EXPECT_TRUE(shell.calls.empty()) << "nothing is sent while loading";
    icon->Loaded();
    icon->SetToolTip(L"Kiv Calendar");
    ASSERT_EQ(shell.calls.size(), 2u);
    const NOTIFYICONDATAW& add = shell.calls[0].data;
    EXPECT_EQ(shell.calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.hWnd, icon->MsgWindow().hwnd());
    EXPECT_EQ(GetParent(add.hWnd), parent);
    EXPECT_EQ(add.uID, 0u);
    EXPECT_EQ(add.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_NE(add.hIcon, nullptr);
    EXPECT_NE(add.hIcon, sample.get()) << "the component keeps a copy of its own";
    EXPECT_EQ(shell.calls[0].tip(), L"");
    EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shell.calls[1].data.uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP));
    EXPECT_EQ(shell.calls[1].tip(), L"Kiv Calendar");
    RECT rc{};
    GetWindowRect(add.hWnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_FALSE(IsWindowVisible(add.hWnd));
}

TEST_F(NotifyIconTest, TheShellHearsOnlyOfChangesThatShow) {
    ShellRecorder shell;
    Make(false);
    icon->SetVisible(false);
    icon->SetToolTip(std::wstring(200, L't'));
    icon->SetIcon(sample.get());
    EXPECT_TRUE(shell.calls.empty()) << "a hidden icon only stores its changes";

    icon->SetVisible(true);
    icon->SetVisible(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.calls[0].tip(), std::wstring(127, L't')) << "cut to what the shell shows";
    EXPECT_EQ(shell.calls[0].data.hIcon, icon->Icon());

    icon->SetVisible(false);
    icon->SetVisible(false);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_DELETE));
    // Hidden and shown again: added afresh with what was set meanwhile.
    icon->SetToolTip(L"later");
    icon->SetVisible(true);
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.calls[2].tip(), L"later");
}

TEST_F(NotifyIconTest, RightClickOpensTheMenuAtTheCursorOrBeeps) {
    ShellRecorder shell;
    Make(true);
    std::vector<std::string> order;
    const void* rightClickSender = nullptr;
    icon->OnRightClick = [&](const void* sender) {
        order.push_back("right click");
        rightClickSender = sender;
    };
    TPopupMenu menu;
    menu.SetHandle(CreatePopupMenu());
    AppendMenuW(menu.Handle(), MF_STRING, 42, L"&Item");
    UINT chosen = 0;
    menu.OnCommand = [&](UINT command) { chosen = command; };
    POINT shownAt{};
    HMENU shownMenu = nullptr;
    const void* component = nullptr;
    auto previous = SetPopupMenuTracker([&](HMENU m, int x, int y, HWND) {
        order.push_back("menu");
        shownMenu = m;
        shownAt = {x, y};
        component = menu.PopupComponent;
        return 42u;
    });
    SetCursorPos(37, 41);
    POINT cursor{};
    GetCursorPos(&cursor);

    icon->RightClickBeepOnNoMenu = true;
    icon->PopupMenu = &menu;
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(order, (std::vector<std::string>{"right click", "menu"}));
    EXPECT_EQ(rightClickSender, icon.get());
    EXPECT_EQ(shownMenu, menu.Handle());
    EXPECT_EQ(shownAt.x, cursor.x);
    EXPECT_EQ(shownAt.y, cursor.y);
    EXPECT_EQ(component, icon.get());
    EXPECT_EQ(chosen, 42u);
    EXPECT_TRUE(shell.beeps.empty());

    order.clear();
    icon->PopupMenu = nullptr;
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(order, (std::vector<std::string>{"right click"}));
    EXPECT_EQ(shell.beeps, (std::vector<UINT>{0}));

    order.clear();
    icon->RightClickBeepOnNoMenu = false;
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(order, (std::vector<std::string>{"right click"}));
    EXPECT_EQ(shell.beeps.size(), 1u);
    SetPopupMenuTracker(previous);
}

TEST_F(NotifyIconTest, TheShellForgetsTheIconWhenTheComponentOrItsWindowGoes) {
    ShellRecorder real(true);
    Make(true);
    const HWND first = icon->MsgWindow().hwnd();
    ASSERT_TRUE(ShellHasIcon(first));

    // A new window takes the icon along.
    icon->MsgWindow().RecreateWnd();
    const HWND second = icon->MsgWindow().hwnd();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(icon->IconData().hWnd, second);
    EXPECT_FALSE(ShellHasIcon(first));
    EXPECT_TRUE(ShellHasIcon(second));
    EXPECT_TRUE(IsChild(parent, second));

    icon.reset();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(ShellHasIcon(second));

    // The parent destroyed first, as when the main window closes: the icon
    // goes with the window, not later.
    Make(true);
    const HWND third = icon->MsgWindow().hwnd();
    ASSERT_TRUE(ShellHasIcon(third));
    DestroyWindow(parent);
    parent = nullptr;
    EXPECT_FALSE(ShellHasIcon(third));
    const auto calls = real.calls.size();
    icon.reset();
    EXPECT_EQ(real.calls.size(), calls) << "nothing left to delete";
}

TEST_F(NotifyIconTest, ARestartedShellGetsTheIconBack) {
    ShellRecorder real(true);
    Make(true);
    const HWND window = icon->MsgWindow().hwnd();
    NOTIFYICONDATAW data = icon->IconData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));  // as a shell that starts afresh forgets it
    ASSERT_FALSE(ShellHasIcon(window));
    icon->ShellRestarted();
    EXPECT_TRUE(ShellHasIcon(window));
    // A shell that still had it keeps it, changed rather than doubled.
    icon->ShellRestarted();
    EXPECT_TRUE(ShellHasIcon(window));
    icon->SetVisible(false);
    icon->ShellRestarted();
    EXPECT_FALSE(ShellHasIcon(window)) << "a hidden icon stays hidden";
}

}  // namespace
}  // namespace kiv
